#pragma once

#include "platform/uikit/UITableViewCell.h"

#include <memory>

class DTTextField;
class UILabel;

// A numbered input row: the value x_i and its probability P(X = x_i).
class EnumeratedInputTableViewCell : public UITableViewCell {
  public:
    static constexpr const char* cellNibName = "EnumeratedInputTableViewCell";

    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UILabel> enumeratingLabel;
    std::weak_ptr<DTTextField> integerTextField;
    std::weak_ptr<DTTextField> doubleTextField;

    void awakeFromNib() override;

    static void registerNib();
};
