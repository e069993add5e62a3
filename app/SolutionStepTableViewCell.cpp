#include "app/SolutionStepTableViewCell.h"

#include "engine/KivoStringOutput.h"
#include "engine/TextUtilities.h"
#include "platform/graphics/UIFont.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIStackView.h"

#include <algorithm>

namespace {

constexpr CGFloat headingHeight = 28;
constexpr CGFloat headingInset = 20;

// The heading keeps its own height in the stack; the formula area takes the rest of the row.
class StepHeadingView : public UIView {
  public:
    using UIView::UIView;
    CGSize intrinsicContentSize() const override { return {UIViewNoIntrinsicMetric, headingHeight}; }
};

// Widened to its whole formula (as the shared picture draws it), the area shows it from the start,
// however far it was swiped.
class FormulaScrollView : public UIScrollView {
  public:
    using UIScrollView::UIScrollView;
    void layoutSubviews() override {
        UIScrollView::layoutSubviews();
        if (bounds().width() >= contentSize().width)
            setContentOffset({0, contentOffset().y});
    }
};

UIFont headingFont(const char* name) {
    return UIFont::fontWithName(name, 16).value_or(UIFont::systemFontOfSize(16));
}

std::vector<std::shared_ptr<UIResponder>> buildPrototype(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell = std::make_shared<SolutionStepTableViewCell>(UITableViewCellStyle::defaultStyle,
                                                            SolutionStepTableViewCell::reuseIdentifierName);
    cell->setFrame({0, 0, width, 100});
    cell->setSelectionStyle(UITableViewCellSelectionStyle::none);
    const auto& content = cell->contentView();

    auto heading = std::make_shared<StepHeadingView>(CGRect{0, 0, width, headingHeight});
    auto title = std::make_shared<UILabel>(CGRect{headingInset, 0, width - 2 * headingInset, headingHeight});
    title->setTextColor(UIColor::labelColor());
    title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    heading->addSubview(title);

    auto stack = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{heading});
    stack->setAxis(UILayoutConstraintAxis::vertical);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(stack);
    auto top = stack->topAnchor().constraintEqualToAnchor(content->topAnchor(), 20);
    NSLayoutConstraint::activateConstraints({
        top,
        stack->leadingAnchor().constraintEqualToAnchor(content->leadingAnchor()),
        stack->trailingAnchor().constraintEqualToAnchor(content->trailingAnchor()),
        stack->bottomAnchor().constraintEqualToAnchor(content->bottomAnchor()),
    });

    cell->stackView = stack;
    cell->stepTitleLabelView = heading;
    cell->stepTitleLabel = title;
    cell->stackViewTopConstraint = top;
    cell->mathLabel = std::make_shared<MTMathUILabel>(CGRect{0, 0, width, 60});
    return {cell};
}

} // namespace

void SolutionStepTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    auto stack = stackView.lock();
    if (!stack)
        return;
    scrollView = std::make_shared<FormulaScrollView>();
    stack->addArrangedSubview(scrollView);
    scrollView->setShowsHorizontalScrollIndicator(true);
    scrollView->setScrollEnabled(true);
    scrollView->setTranslatesAutoresizingMaskIntoConstraints(false);

    const CGRect frame = mathLabel ? mathLabel->bounds() : CGRect{};
    mathLabel = std::make_shared<MTMathUILabel>(frame);
    scrollView->addSubview(mathLabel);
    mathLabel->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activateConstraints({
        mathLabel->topAnchor().constraintEqualToAnchor(scrollView->topAnchor()),
        mathLabel->leadingAnchor().constraintEqualToAnchor(scrollView->leadingAnchor()),
        mathLabel->trailingAnchor().constraintEqualToAnchor(scrollView->trailingAnchor()),
        mathLabel->bottomAnchor().constraintEqualToAnchor(scrollView->bottomAnchor()),
    });
    scrollView->addConstraint(NSLayoutConstraint::constraintWithItem(mathLabel, NSLayoutAttribute::centerY,
                                                                     NSLayoutRelation::equal, scrollView,
                                                                     NSLayoutAttribute::centerY, 1, 0));
    mathLabel->setContentInsets({0, 50, 20, 80});
    mathLabel->setTextColor(UIColor::labelColor());
    scrollView->setContentSize(mathLabel->bounds().size);
}

CGSize SolutionStepTableViewCell::sizeThatFits(CGSize size) const {
    if (!scrollView)
        return UITableViewCell::sizeThatFits(size);
    const CGFloat pastTheEdge = scrollView->contentSize().width - scrollView->bounds().width();
    return {bounds().width() + std::max<CGFloat>(0, pastTheEdge), bounds().height()};
}

void SolutionStepTableViewCell::setStepTitle(const std::string& title) {
    auto heading = stepTitleLabelView.lock();
    if (!heading)
        return;
    heading->setHidden(title.empty());
    if (auto top = stackViewTopConstraint.lock())
        top->setConstant(title.empty() ? 0 : 20);
    if (title.empty() || !stepTitleLabel)
        return;
    if (title.ends_with(boldMarker)) {
        std::string plain = title;
        replaceAll(plain, boldMarker, "");
        NSStringAttributes attributes;
        attributes.font = headingFont("Avenir-Heavy");
        stepTitleLabel->setAttributedText(NSAttributedString(plain, attributes));
    } else {
        stepTitleLabel->setText(title);
        stepTitleLabel->setFont(headingFont("Avenir-Book"));
    }
}

void SolutionStepTableViewCell::setStepLatex(const SolutionStep& step) {
    if (!mathLabel)
        return;
    mathLabel->setLatex("");
    if (auto message = step.find("messageString"); message != step.end())
        mathLabel->setLatex("\\text{" + message->second + "}");
    else if (auto latex = step.find("latexString"); latex != step.end())
        mathLabel->setLatex(KivoStringOutput::beautifyLatex(latex->second));
    // A reused cell may still be swiped to the far end of a wider formula.
    if (scrollView) {
        scrollView->setContentOffset({0, 0});
        scrollView->setContentSize(mathLabel->intrinsicContentSize());
    }
}

std::shared_ptr<UINib> SolutionStepTableViewCell::prototypeNib() {
    return UINib::nibWithBuilder(buildPrototype);
}
