#include "app/EnumeratedInputTableViewCell.h"

#include "app/ColorManager.h"
#include "app/InputFieldStyle.h"
#include "platform/graphics/UIFont.h"
#include "platform/kits/DTTextField.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStackView.h"

namespace {

constexpr CGFloat rowHeight = 80;
constexpr CGFloat numberWidth = 44;
constexpr CGFloat fieldHeight = 48;

std::shared_ptr<DTTextField> makeField() {
    auto field = std::make_shared<DTTextField>();
    field->setFont(UIFont::fontWithName("Avenir-Medium", 20).value_or(UIFont::systemFontOfSize(20)));
    field->setTextColor(UIColor::labelColor());
    return field;
}

std::vector<std::shared_ptr<UIResponder>> buildCell(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell =
        std::make_shared<EnumeratedInputTableViewCell>(UITableViewCellStyle::defaultStyle, "inputCell");
    cell->setFrame({0, 0, width, rowHeight});
    cell->layoutIfNeeded();
    const auto& content = cell->contentView();
    const CGFloat contentWidth = content->bounds().width();

    auto number = std::make_shared<UILabel>(CGRect{8, 0, numberWidth, content->bounds().height()});
    number->setFont(UIFont::fontWithName("Avenir-Heavy", 18).value_or(UIFont::boldSystemFontOfSize(18)));
    number->setTextAlignment(NSTextAlignment::center);
    number->setAutoresizingMask(UIViewAutoresizingFlexibleHeight);
    content->addSubview(number);

    auto value = makeField();
    auto probability = makeField();
    auto fields = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{value, probability});
    fields->setAxis(UILayoutConstraintAxis::horizontal);
    fields->setDistribution(UIStackViewDistribution::fillEqually);
    fields->setSpacing(12);
    const CGFloat left = 8 + numberWidth + 8;
    fields->setFrame(
        {left, (content->bounds().height() - fieldHeight) / 2, contentWidth - left - 16, fieldHeight});
    fields->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin |
                                UIViewAutoresizingFlexibleBottomMargin);
    content->addSubview(fields);

    cell->enumeratingLabel = number;
    cell->integerTextField = value;
    cell->doubleTextField = probability;
    return {cell};
}

} // namespace

void EnumeratedInputTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (auto label = enumeratingLabel.lock())
        label->setTextColor(ColorManager::labelColor());
    if (auto field = integerTextField.lock())
        styleInputField(*field);
    if (auto field = doubleTextField.lock())
        styleInputField(*field);
}

void EnumeratedInputTableViewCell::registerNib() {
    UINib::registerNib(cellNibName, buildCell);
}
