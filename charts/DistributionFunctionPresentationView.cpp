#include "charts/DistributionFunctionPresentationView.h"

#include "engine/KivoStringOutput.h"
#include "platform/uikit/UINib.h"

namespace {

std::shared_ptr<UIStackView> column(const std::vector<std::shared_ptr<UIView>>& rows) {
    auto stack = std::make_shared<UIStackView>(rows);
    stack->setAxis(UILayoutConstraintAxis::vertical);
    stack->setDistribution(UIStackViewDistribution::fillEqually);
    stack->setAlignment(UIStackViewAlignment::leading);
    stack->setSpacing(8);
    return stack;
}

// The nib: "F(X) =", the tall brace, then the values beside their ranges, row by row.
std::vector<std::shared_ptr<UIResponder>> buildNib(const std::shared_ptr<UIResponder>& ownerObject) {
    const auto owner = std::dynamic_pointer_cast<DistributionFunctionPresentationView>(ownerObject);
    const CGSize size = owner && !owner->bounds().isEmpty() ? owner->bounds().size : CGSize{360, 180};
    auto content = std::make_shared<DistributionFunctionPresentationView>(NSCoder{});
    content->setFrame({0, 0, size.width, size.height});
    content->setBackgroundColor(UIColor::systemBackgroundColor());

    std::vector<std::shared_ptr<MTMathUILabel>> labels;
    for (int i = 0; i < 8; ++i)
        labels.push_back(std::make_shared<MTMathUILabel>());
    const auto values = column({labels[2], labels[3], labels[4]});
    const auto ranges = column({labels[5], labels[6], labels[7]});
    auto stack = std::make_shared<UIStackView>(
        std::vector<std::shared_ptr<UIView>>{labels[0], labels[1], values, ranges});
    stack->setAxis(UILayoutConstraintAxis::horizontal);
    stack->setAlignment(UIStackViewAlignment::center);
    stack->setSpacing(4);
    stack->setFrame({16, 16, std::max<CGFloat>(0, size.width - 32), std::max<CGFloat>(0, size.height - 32)});
    stack->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    content->addSubview(stack);

    if (owner) {
        owner->contentView = content;
        owner->stackView = stack;
        owner->labelLeft = labels[0];
        owner->labelMid = labels[1];
        owner->label1 = labels[2];
        owner->label2 = labels[3];
        owner->label3 = labels[4];
        owner->label4 = labels[5];
        owner->label5 = labels[6];
        owner->label6 = labels[7];
    }
    return {content};
}

} // namespace

std::shared_ptr<DistributionFunctionPresentationView>
DistributionFunctionPresentationView::withFrame(const CGRect& frame, double number) {
    std::shared_ptr<DistributionFunctionPresentationView> view(
        new DistributionFunctionPresentationView(frame));
    view->showDistributionFunction(number);
    return view;
}

DistributionFunctionPresentationView::DistributionFunctionPresentationView(const NSCoder& coder)
    : UIView(coder) {}

void DistributionFunctionPresentationView::registerNib() {
    UINib::registerNib("DistributionFunctionPresentationView", buildNib);
}

void DistributionFunctionPresentationView::showDistributionFunction(double number) {
    registerNib();
    UINib::loadNibNamed("DistributionFunctionPresentationView", shared_from_this());
    if (!contentView)
        return;
    addSubview(contentView);
    contentView->setFrame(bounds());
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    const std::pair<const std::weak_ptr<MTMathUILabel>&, std::string> texts[] = {
        {labelLeft, "F(X) = "},
        {labelMid, "\\{"},
        {label1, "0;"},
        {label2, KivoStringOutput::displayString("", {}, "", 10, true, false, number) + ";"},
        {label3, "1;"},
        {label4, "\\quad x<0"},
        {label5, "\\quad 0 \\le x < 1"},
        {label6, "\\quad 1 \\le x"},
    };
    for (const auto& [outlet, latex] : texts) {
        if (const auto label = outlet.lock()) {
            label->setTextColor(UIColor::labelColor());
            label->setLatex(latex);
        }
    }
    if (const auto brace = labelMid.lock())
        brace->setFontSize(46);
}
