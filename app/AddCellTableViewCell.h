#pragma once

#include "platform/uikit/UITableViewCell.h"

#include <memory>

class UIImageView;

// The last row of the input table: a plus sign that adds a row.
class AddCellTableViewCell : public UITableViewCell {
  public:
    static constexpr const char* cellNibName = "AddCellTableViewCell";

    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UIImageView> plusImageview;

    void awakeFromNib() override;

    static void registerNib();
};
