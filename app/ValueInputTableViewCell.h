#pragma once

#include "platform/uikit/UITableViewCell.h"

#include <memory>

class DTTextField;
class MTMathUILabel;
class UILabel;

// The family's input row of one quantity: a title, its formula, a field and a unit. The
// stochastics input screen does not use it.
class ValueInputTableViewCell : public UITableViewCell {
  public:
    using UITableViewCell::UITableViewCell;

    std::shared_ptr<UILabel> titleLabel;
    std::shared_ptr<MTMathUILabel> mathLabel;
    std::shared_ptr<DTTextField> inputTextField;
    std::shared_ptr<MTMathUILabel> unitLabel;

    void awakeFromNib() override;
};
