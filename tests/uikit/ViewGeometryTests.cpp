#include "UIKitTestSupport.h"

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIView.h"

#include <cmath>

namespace {

using ViewGeometryTests = UIKitTest;

class FixedSizeView : public UIView {
  public:
    explicit FixedSizeView(CGSize size) : UIView(CGRect{{0, 0}, size}), size_(size) {}
    CGSize intrinsicContentSize() const override { return size_; }

  private:
    CGSize size_;
};

void expectRect(const CGRect& actual, const CGRect& expected) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 1e-9);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 1e-9);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

TEST_F(ViewGeometryTests, FrameBoundsCentreAndPointConversionStayConsistent) {
    auto view = std::make_shared<UIView>(CGRect{10, 20, 100, 50});
    EXPECT_EQ(view->bounds(), (CGRect{0, 0, 100, 50}));
    EXPECT_EQ(view->center(), (CGPoint{60, 45}));
    view->setCenter({100, 100});
    EXPECT_EQ(view->frame(), (CGRect{50, 75, 100, 50}));
    view->setBounds({0, 0, 40, 40});
    EXPECT_EQ(view->frame(), (CGRect{80, 80, 40, 40}));
    // A negative size is standardized, as the platform does.
    view->setFrame({100, 100, -20, -10});
    EXPECT_EQ(view->frame(), (CGRect{80, 90, 20, 10}));

    // Points convert through offsets and scrolling.
    auto root = std::make_shared<UIView>(CGRect{0, 0, 400, 400});
    auto scroll = std::make_shared<UIScrollView>(CGRect{50, 50, 200, 200});
    auto inner = std::make_shared<UIView>(CGRect{10, 300, 20, 20});
    root->addSubview(scroll);
    scroll->addSubview(inner);
    scroll->setContentSize({200, 1000});
    scroll->setContentOffset({0, 250});
    // Inner's origin lies at 300 in content, 50 below the visible top, plus the scroll view's 50.
    EXPECT_EQ(inner->convertPointToView({0, 0}, root.get()), (CGPoint{60, 100}));
    EXPECT_EQ(root->convertPointToView({60, 100}, inner.get()), (CGPoint{0, 0}));
    expectRect(inner->convertRectToView(inner->bounds(), nullptr), {60, 100, 20, 20});
}

TEST_F(ViewGeometryTests, AutoresizingSharesGrowthAmongFlexibleParts) {
    auto parent = std::make_shared<UIView>(CGRect{0, 0, 300, 200});
    auto filling = std::make_shared<UIView>(CGRect{10, 10, 280, 180});
    filling->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto centred = std::make_shared<UIView>(CGRect{100, 50, 100, 100});
    centred->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                 UIViewAutoresizingFlexibleRightMargin);
    auto pinnedRight = std::make_shared<UIView>(CGRect{250, 0, 40, 40});
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                     UIViewAutoresizingFlexibleBottomMargin);
    for (const auto& child : {filling, centred, pinnedRight}) {
        parent->addSubview(child);
    }

    parent->setFrame({0, 0, 400, 250});
    EXPECT_EQ(filling->frame(), (CGRect{10, 10, 380, 230}));
    EXPECT_EQ(centred->frame(), (CGRect{150, 50, 100, 100}));
    EXPECT_EQ(pinnedRight->frame(), (CGRect{350, 0, 40, 40}));

    // Masks do not apply when the parent does not autoresize.
    parent->setAutoresizesSubviews(false);
    parent->setFrame({0, 0, 100, 100});
    EXPECT_EQ(filling->frame(), (CGRect{10, 10, 380, 230}));
}

TEST_F(ViewGeometryTests, HitTestingFindsTheFrontmostInteractiveView) {
    auto root = std::make_shared<UIView>(CGRect{0, 0, 200, 200});
    auto back = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto front = std::make_shared<UIView>(CGRect{50, 50, 100, 100});
    auto label = std::make_shared<UILabel>(CGRect{60, 60, 20, 20});
    root->addSubview(back);
    root->addSubview(front);
    front->addSubview(label);

    EXPECT_EQ(root->hitTest({75, 75}), front) << "labels take no touches, their parent does";
    EXPECT_EQ(root->hitTest({25, 25}), back);
    EXPECT_EQ(root->hitTest({190, 10}), root);
    EXPECT_EQ(root->hitTest({300, 10}), nullptr);

    front->setHidden(true);
    EXPECT_EQ(root->hitTest({75, 75}), back);
    front->setHidden(false);
    front->setAlpha(0.005);
    EXPECT_EQ(root->hitTest({75, 75}), back) << "a view too faint to see takes no touches";
    front->setAlpha(1);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest({75, 75}), back);

    // A subview outside its parent's bounds cannot be hit there.
    auto outside = std::make_shared<UIView>(CGRect{90, 90, 50, 50});
    back->addSubview(outside);
    EXPECT_EQ(root->hitTest({120, 120}), root);
}

TEST_F(ViewGeometryTests, SubviewOrderingMovesLayersAlongAndTagsFindViewsInTheTree) {
    auto parent = std::make_shared<UIView>();
    auto a = std::make_shared<UIView>(), b = std::make_shared<UIView>(), c = std::make_shared<UIView>();
    parent->addSubview(a);
    parent->addSubview(b);
    auto extra = CALayer::layer();
    parent->layer()->addSublayer(extra);
    parent->insertSubviewAtIndex(c, 0);
    ASSERT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{c, a, b}));
    EXPECT_EQ(parent->layer()->sublayers(),
              (std::vector<std::shared_ptr<CALayer>>{c->layer(), a->layer(), b->layer(), extra}));

    parent->bringSubviewToFront(c.get());
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{a, b, c}));
    parent->insertSubviewBelowSubview(c, a.get());
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{c, a, b}));
    parent->insertSubviewAboveSubview(c, b.get());
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{a, b, c}));
    EXPECT_EQ(parent->layer()->sublayers().front(), a->layer());

    // Adding a view elsewhere takes it out of its old parent.
    auto other = std::make_shared<UIView>();
    other->addSubview(b);
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{a, c}));
    EXPECT_EQ(b->superview(), other);
    b->removeFromSuperview();
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(b->layer()->superlayer(), nullptr);

    // A view cannot become its own ancestor's subview.
    a->addSubview(parent);
    EXPECT_EQ(parent->superview(), nullptr);

    // Tags find the view itself or one below it.
    auto stack = std::make_shared<UIStackView>();
    parent->addSubview(stack);
    stack->addArrangedSubview(b);
    parent->setTag(7);
    b->setTag(9);
    EXPECT_EQ(parent->viewWithTag(7), parent);
    EXPECT_EQ(parent->viewWithTag(9), b);
    EXPECT_EQ(parent->viewWithTag(3), nullptr);
}

TEST_F(ViewGeometryTests, SafeAreaCoversTheScreensUnsafeEdges) {
    auto window = makeWindow();
    EXPECT_EQ(window->safeAreaInsets(), (UIEdgeInsets{47, 0, 34, 0}));
    auto bar = std::make_shared<UIView>(CGRect{0, 0, 390, 100});
    auto middle = std::make_shared<UIView>(CGRect{0, 200, 390, 100});
    auto bottom = std::make_shared<UIView>(CGRect{0, 744, 390, 100});
    for (const auto& view : {bar, middle, bottom}) {
        window->addSubview(view);
    }
    EXPECT_EQ(bar->safeAreaInsets(), (UIEdgeInsets{47, 0, 0, 0}));
    EXPECT_EQ(middle->safeAreaInsets(), UIEdgeInsets{});
    EXPECT_EQ(bottom->safeAreaInsets(), (UIEdgeInsets{0, 0, 34, 0}));
    EXPECT_EQ(std::make_shared<UIView>()->safeAreaInsets(), UIEdgeInsets{}) << "no window, no unsafe area";
}

TEST_F(ViewGeometryTests, ConstraintsPinEdgesCentreAndFollowConstantChanges) {
    auto container = std::make_shared<UIView>(CGRect{0, 0, 300, 400});
    auto pinned = std::make_shared<UIView>();
    auto centred = std::make_shared<UILabel>();
    centred->setText("Centred");
    auto below = std::make_shared<UIView>();
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{pinned, centred, below}) {
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        container->addSubview(view);
    }
    auto trailing = container->trailingAnchor().constraintEqualToAnchor(pinned->trailingAnchor(), 20);
    NSLayoutConstraint::activateConstraints({
        pinned->topAnchor().constraintEqualToAnchor(container->topAnchor(), 10),
        pinned->leadingAnchor().constraintEqualToAnchor(container->leadingAnchor(), 10),
        trailing,
        pinned->heightAnchor().constraintEqualToConstant(50),
        centred->centerXAnchor().constraintEqualToAnchor(container->centerXAnchor()),
        centred->centerYAnchor().constraintEqualToAnchor(container->centerYAnchor()),
        below->topAnchor().constraintEqualToAnchor(pinned->bottomAnchor(), 8),
        below->leadingAnchor().constraintEqualToAnchor(pinned->leadingAnchor()),
        below->widthAnchor().constraintEqualToAnchor(pinned->widthAnchor(), 0.5, 0),
        below->bottomAnchor().constraintEqualToAnchor(container->bottomAnchor()),
    });
    container->layoutIfNeeded();
    EXPECT_EQ(pinned->frame(), (CGRect{10, 10, 270, 50}));
    CGSize label = centred->intrinsicContentSize();
    expectRect(centred->frame(), {150 - label.width / 2, 200 - label.height / 2, label.width, label.height});
    EXPECT_EQ(below->frame(), (CGRect{10, 68, 135, 332}));

    // The constraint is installed on the common ancestor, which can find it by its items.
    auto installed = container->constraints();
    auto found = std::find_if(installed.begin(), installed.end(), [&](const auto& c) {
        return c->secondItem() == pinned && c->secondAttribute() == NSLayoutAttribute::trailing;
    });
    ASSERT_NE(found, installed.end());
    (*found)->setConstant(-50);
    EXPECT_TRUE(container->needsLayout());
    container->layoutIfNeeded();
    EXPECT_EQ(pinned->frame(), (CGRect{10, 10, 340, 50}));
    EXPECT_EQ(below->frame().size.width, 170);

    container->setFrame({0, 0, 200, 200});
    container->layoutIfNeeded();
    EXPECT_EQ(pinned->frame().size.width, 240);
    EXPECT_EQ(below->frame(), (CGRect{10, 68, 120, 132}));

    trailing->setActive(false);
    auto remaining = container->constraints();
    EXPECT_EQ(std::count(remaining.begin(), remaining.end(), trailing), 0);
    EXPECT_EQ(remaining.size(), installed.size() - 1);
}

TEST_F(ViewGeometryTests, EdgesPinnedToAScrollViewSizeItsContent) {
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 50});
    auto label = std::make_shared<UILabel>();
    label->setText("A line much wider than the scroll view is");
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    scroll->addSubview(label);
    NSLayoutConstraint::activateConstraints({
        label->topAnchor().constraintEqualToAnchor(scroll->topAnchor()),
        label->leadingAnchor().constraintEqualToAnchor(scroll->leadingAnchor(), 5),
        label->trailingAnchor().constraintEqualToAnchor(scroll->trailingAnchor()),
        label->bottomAnchor().constraintEqualToAnchor(scroll->bottomAnchor()),
    });
    scroll->layoutIfNeeded();
    CGSize intrinsic = label->intrinsicContentSize();
    EXPECT_GT(intrinsic.width, 100);
    EXPECT_EQ(label->frame(), (CGRect{5, 0, intrinsic.width, intrinsic.height}));
    EXPECT_EQ(scroll->contentSize(), (CGSize{intrinsic.width + 5, intrinsic.height}));
    EXPECT_TRUE(scroll->canScrollHorizontally());
}

TEST_F(ViewGeometryTests, StackViewsDistributeAlongTheirAxis) {
    auto a = std::make_shared<FixedSizeView>(CGSize{30, 20});
    auto b = std::make_shared<FixedSizeView>(CGSize{50, 40});
    auto hidden = std::make_shared<FixedSizeView>(CGSize{500, 500});
    hidden->setHidden(true);
    auto stack = std::make_shared<UIStackView>(std::vector<std::shared_ptr<UIView>>{a, hidden, b});
    stack->setFrame({0, 0, 200, 60});
    stack->setSpacing(10);
    stack->setDistribution(UIStackViewDistribution::fillEqually);
    stack->layoutIfNeeded();
    EXPECT_EQ(a->frame(), (CGRect{0, 0, 95, 60}));
    EXPECT_EQ(b->frame(), (CGRect{105, 0, 95, 60}));

    stack->setAxis(UILayoutConstraintAxis::vertical);
    stack->setAlignment(UIStackViewAlignment::center);
    stack->setDistribution(UIStackViewDistribution::equalSpacing);
    stack->layoutIfNeeded();
    // Natural heights 20 and 40 leave 0 of 60 for spacing, which stays at its minimum of 10.
    EXPECT_EQ(a->frame().origin.x, (200 - a->frame().size.width) / 2);
    EXPECT_EQ(b->frame().origin.y, a->frame().maxY() + 10);

    stack->setAlignment(UIStackViewAlignment::fill);
    stack->setDistribution(UIStackViewDistribution::fill);
    stack->setFrame({0, 0, 200, 300});
    stack->layoutIfNeeded();
    // When every view has its own size the last one takes the slack.
    EXPECT_EQ(a->frame(), (CGRect{0, 0, 200, 20}));
    EXPECT_EQ(b->frame(), (CGRect{0, 30, 200, 270}));

    hidden->setHidden(false);
    stack->removeArrangedSubview(hidden.get());
    EXPECT_EQ(hidden->superview(), stack) << "removal from the arrangement keeps the subview";
    b->removeFromSuperview();
    EXPECT_EQ(stack->arrangedSubviews(), (std::vector<std::shared_ptr<UIView>>{a}));
    EXPECT_EQ(stack->intrinsicContentSize(), (CGSize{30, 20}));
}

TEST_F(ViewGeometryTests, LabelsMeasureWrapAndShrink) {
    auto label = std::make_shared<UILabel>(CGRect{0, 0, 100, 40});
    EXPECT_EQ(label->intrinsicContentSize(), (CGSize{0, 0}));
    label->setText("One two three four five six seven");
    CGSize oneLine = label->intrinsicContentSize();
    label->setNumberOfLines(0);
    CGSize wrapped = label->intrinsicContentSize();
    EXPECT_LE(wrapped.width, 100);
    EXPECT_GT(wrapped.height, 2 * oneLine.height);
    label->setNumberOfLines(2);
    EXPECT_NEAR(label->intrinsicContentSize().height, 2 * oneLine.height, 2);

    label->setNumberOfLines(1);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.2);
    CGFloat shrunk = label->displayedText().runs().front().attributes.font->pointSize();
    EXPECT_LT(shrunk, 17);
    EXPECT_LE(label->displayedText().size().width, 101);
    label->setMinimumScaleFactor(0.9);
    EXPECT_NEAR(label->displayedText().runs().front().attributes.font->pointSize(), 17 * 0.9, 1e-9);

    NSStringAttributes heavy;
    heavy.font = UIFont::boldSystemFontOfSize(16);
    label->setAttributedText(NSAttributedString("Bold", heavy));
    EXPECT_EQ(label->text(), "Bold");
    EXPECT_EQ(label->font(), *heavy.font);
}

TEST_F(ViewGeometryTests, ButtonsPlaceImageBesideTitleAndPickTitlesByState) {
    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setTitle("Go", UIControlStateNormal);
    button->setTitle("Wait", UIControlStateDisabled);
    button->setImage(UIImage::systemImageNamed("plus"), UIControlStateNormal);
    button->setFrame({0, 0, 200, 44});
    button->layoutIfNeeded();
    CGRect image = button->imageView()->frame();
    CGRect title = button->titleLabel()->frame();
    EXPECT_EQ(image.maxX(), title.minX());
    EXPECT_NEAR((image.minX() + title.maxX()) / 2, 100, 1e-9);
    EXPECT_TRUE(button->imageView()->image()->isTemplate());

    button->setEnabled(false);
    EXPECT_EQ(button->currentTitle(), "Wait");
    EXPECT_EQ(button->titleLabel()->text(), "Wait");
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::systemGrayColor());
    button->setEnabled(true);
    button->setSelected(true);
    EXPECT_EQ(button->currentTitle(), "Go") << "a state without its own title shows the normal one";
    EXPECT_EQ(UIButton::buttonWithType(UIButtonType::custom)->currentTitleColor(), UIColor::whiteColor());

    // Tint is inherited until a view sets its own.
    auto parent = std::make_shared<UIView>();
    parent->addSubview(button);
    parent->setTintColor(UIColor::redColor());
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::redColor());
    button->setTintColor(UIColor::greenColor());
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::greenColor());
}

} // namespace
