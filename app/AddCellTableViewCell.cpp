#include "app/AddCellTableViewCell.h"

#include "engine/KivoColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"

namespace {

constexpr CGFloat rowHeight = 80;
constexpr CGFloat plusSide = 36;

std::vector<std::shared_ptr<UIResponder>> buildCell(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell = std::make_shared<AddCellTableViewCell>(UITableViewCellStyle::defaultStyle, "addCell");
    cell->setFrame({0, 0, width, rowHeight});
    cell->layoutIfNeeded();
    const CGRect content = cell->contentView()->bounds();
    auto plus = std::make_shared<UIImageView>(UIImage::systemImageNamed("plus"));
    plus->setFrame({(content.width() - plusSide) / 2, (content.height() - plusSide) / 2, plusSide, plusSide});
    plus->setContentMode(UIViewContentMode::scaleAspectFit);
    plus->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                              UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    cell->contentView()->addSubview(plus);
    cell->plusImageview = plus;
    return {cell};
}

} // namespace

void AddCellTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (auto plus = plusImageview.lock())
        plus->setTintColor(KivoColor::paletteGreenAccent());
}

void AddCellTableViewCell::registerNib() {
    UINib::registerNib(cellNibName, buildCell);
}
