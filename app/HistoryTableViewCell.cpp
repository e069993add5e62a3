#include "app/HistoryTableViewCell.h"

#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"

namespace {

constexpr CGFloat labelInset = 16;

std::vector<std::shared_ptr<UIResponder>> buildPrototype(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell = std::make_shared<HistoryTableViewCell>(UITableViewCellStyle::defaultStyle,
                                                       HistoryTableViewCell::reuseIdentifierName);
    cell->setFrame({0, 0, width, HistoryTableViewCell::rowHeight});
    // The content view takes the cell's size in layout; the views below are placed in that size.
    cell->layoutIfNeeded();
    auto label = std::make_shared<MTMathUILabel>(
        CGRect{labelInset, 0, width - 2 * labelInset, HistoryTableViewCell::rowHeight});
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    label->setFontSize(16);
    cell->contentView()->addSubview(label);
    cell->mathLabel = label;
    return {cell};
}

} // namespace

void HistoryTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (mathLabel) {
        mathLabel->setTextColor(UIColor::labelColor().colorWithAlphaComponent(0.9));
    }
}

std::shared_ptr<UINib> HistoryTableViewCell::prototypeNib() {
    return UINib::nibWithBuilder(buildPrototype);
}
