#pragma once

#include "platform/uikit/UITableViewCell.h"

#include <memory>

class MTMathUILabel;
class UINib;

// A row of the history: the calculation's input line as typeset LaTeX.
class HistoryTableViewCell : public UITableViewCell {
  public:
    static constexpr const char* reuseIdentifierName = "historyCell";
    static constexpr CGFloat rowHeight = 80;

    using UITableViewCell::UITableViewCell;

    std::shared_ptr<MTMathUILabel> mathLabel;

    void awakeFromNib() override;

    // The storyboard's prototype of the cell.
    static std::shared_ptr<UINib> prototypeNib();
};
