#pragma once

#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <string>
#include <vector>

class UICollectionView;

// The last row of the result page, which offers the tutorial videos of the calculator.
class VideoCollectionTableViewCell : public UITableViewCell {
  public:
    static constexpr const char* cellNibName = "VideoCollectionTableViewCell";

    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UICollectionView> videoCollectionView;
    std::vector<std::string> videoUrlStringArray;

    static void registerNib();
};
