#include "platform/uikit/UIView.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/LayerTreeRenderer.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UILayoutResolver.h"
#include "platform/uikit/UIViewAnimationEngine.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

// The layer of a view: draws the view's own content through its drawRect.
class UIViewBackingLayer : public CALayer {
  public:
    void drawInContext(CGContext& context) override {
        if (!view) {
            return;
        }
        context.saveGState();
        context.clipToRect(bounds());
        UIGraphics::pushContext(context);
        view->drawLayerContent(context);
        UIGraphics::popContext();
        context.restoreGState();
    }

    UIView* view = nullptr;
};

namespace {

using Property = UIViewAnimationEngine::Property;

UIViewAnimationEngine& engine() {
    return UIViewAnimationEngine::shared();
}

// Shares the change of one dimension among the flexible parts (margins and size) in proportion
// to their current lengths, or equally when they are all zero.
void distribute(CGFloat delta, bool flexLead, bool flexSize, bool flexTrail, CGFloat& lead, CGFloat& size,
                CGFloat trail) {
    int count = int(flexLead) + int(flexSize) + int(flexTrail);
    if (count == 0 || delta == 0) {
        return;
    }
    CGFloat total = (flexLead ? lead : 0) + (flexSize ? size : 0) + (flexTrail ? trail : 0);
    auto share = [&](bool flexible, CGFloat length) {
        if (!flexible) {
            return 0.0;
        }
        return total > 0 ? delta * length / total : delta / count;
    };
    CGFloat leadShare = share(flexLead, lead);
    CGFloat sizeShare = share(flexSize, size);
    lead += leadShare;
    size += sizeShare;
}

} // namespace

UIView::UIView() : UIView(CGRect{}) {}

UIView::UIView(const NSCoder&) : UIView(CGRect{}) {}

UIView::UIView(const CGRect& frame) {
    auto backing = std::make_shared<UIViewBackingLayer>();
    backing->view = this;
    layer_ = backing;
    CGRect f = frame.standardized();
    bounds_ = {0, 0, f.size.width, f.size.height};
    center_ = {f.midX(), f.midY()};
    layer_->setBounds(bounds_);
    layer_->setPosition(center_);
}

UIView::~UIView() {
    engine().viewWillBeDestroyed(*this);
    for (const auto& constraint : installedConstraints_) {
        constraint->installedOn_ = nullptr;
        constraint->active_ = false;
    }
    for (const auto& subview : subviews_) {
        subview->superview_ = nullptr;
    }
    static_cast<UIViewBackingLayer&>(*layer_).view = nullptr;
    layer_->removeFromSuperlayer();
}

// Geometry.

CGRect UIView::frame() const {
    if (transform_.isIdentity()) {
        return {center_.x - bounds_.size.width / 2, center_.y - bounds_.size.height / 2, bounds_.size.width,
                bounds_.size.height};
    }
    return transformToSuperview().apply(bounds_);
}

void UIView::setFrame(const CGRect& frame) {
    CGRect f = frame.standardized();
    setCenter({f.midX(), f.midY()});
    setBounds({bounds_.origin, f.size});
}

void UIView::setBounds(const CGRect& bounds) {
    if (bounds == bounds_) {
        return;
    }
    CGSize oldSize = bounds_.size;
    bounds_ = bounds;
    engine().modelChanged(*this, Property::bounds);
    showBounds();
    if (oldSize != bounds_.size) {
        boundsSizeDidChange(oldSize);
    }
}

void UIView::setCenter(CGPoint center) {
    if (center == center_) {
        return;
    }
    center_ = center;
    engine().modelChanged(*this, Property::center);
    showCenter();
}

void UIView::setTransform(const CGAffineTransform& transform) {
    if (transform == transform_) {
        return;
    }
    transform_ = transform;
    engine().modelChanged(*this, Property::transform);
    showTransform();
}

void UIView::boundsSizeDidChange(CGSize oldSize) {
    if (autoresizesSubviews_) {
        resizeSubviews(oldSize);
    }
    setNeedsLayout();
    if (!translatesAutoresizingMask_ && superview_) {
        superview_->setNeedsLayout();
    }
}

void UIView::resizeSubviews(CGSize oldSize) {
    CGFloat dw = bounds_.size.width - oldSize.width;
    CGFloat dh = bounds_.size.height - oldSize.height;
    for (const auto& subview : std::vector<std::shared_ptr<UIView>>(subviews_)) {
        UIViewAutoresizing mask = subview->autoresizingMask_;
        if (mask == UIViewAutoresizingNone || !subview->translatesAutoresizingMask_) {
            continue;
        }
        CGRect f = subview->frame();
        CGFloat x = f.origin.x, w = f.size.width;
        CGFloat y = f.origin.y, h = f.size.height;
        distribute(dw, mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
                   mask & UIViewAutoresizingFlexibleRightMargin, x, w, oldSize.width - x - w);
        distribute(dh, mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
                   mask & UIViewAutoresizingFlexibleBottomMargin, y, h, oldSize.height - y - h);
        subview->setFrame({x, y, w, h});
    }
}

CGAffineTransform UIView::transformToSuperview() const {
    return CGAffineTransform::makeTranslation(-(bounds_.origin.x + bounds_.size.width / 2),
                                              -(bounds_.origin.y + bounds_.size.height / 2))
        .concatenating(transform_)
        .concatenating(CGAffineTransform::makeTranslation(center_.x, center_.y));
}

CGAffineTransform UIView::transformToRoot(const UIView** root) const {
    CGAffineTransform t;
    const UIView* view = this;
    while (view->superview_) {
        t = t.concatenating(view->transformToSuperview());
        view = view->superview_;
    }
    *root = view;
    return t;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    const UIView* root = nullptr;
    CGPoint inRoot = transformToRoot(&root).apply(point);
    if (!view) {
        return inRoot;
    }
    const UIView* otherRoot = nullptr;
    return view->transformToRoot(&otherRoot).inverted().apply(inRoot);
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    CGPoint inRoot = point;
    if (view) {
        const UIView* root = nullptr;
        inRoot = view->transformToRoot(&root).apply(point);
    }
    const UIView* root = nullptr;
    return transformToRoot(&root).inverted().apply(inRoot);
}

CGRect UIView::convertRectToView(const CGRect& rect, const UIView* view) const {
    const UIView* root = nullptr;
    CGAffineTransform t = transformToRoot(&root);
    if (view) {
        const UIView* otherRoot = nullptr;
        t = t.concatenating(view->transformToRoot(&otherRoot).inverted());
    }
    return t.apply(rect);
}

CGRect UIView::convertRectFromView(const CGRect& rect, const UIView* view) const {
    if (view) {
        return view->convertRectToView(rect, this);
    }
    const UIView* root = nullptr;
    return transformToRoot(&root).inverted().apply(rect);
}

// Hierarchy.

std::shared_ptr<UIView> UIView::superview() const {
    return superview_ ? std::static_pointer_cast<UIView>(superview_->shared_from_this()) : nullptr;
}

UIWindow* UIView::windowPointer() const {
    for (const UIView* view = this; view; view = view->superview_) {
        if (auto* window = dynamic_cast<const UIWindow*>(view)) {
            return const_cast<UIWindow*>(window);
        }
    }
    return nullptr;
}

std::shared_ptr<UIWindow> UIView::window() const {
    UIWindow* window = windowPointer();
    return window ? std::static_pointer_cast<UIWindow>(window->shared_from_this()) : nullptr;
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
    attachSubview(view, subviews_.size());
}

void UIView::insertSubviewAtIndex(const std::shared_ptr<UIView>& view, std::size_t index) {
    attachSubview(view, index);
}

void UIView::insertSubviewBelowSubview(const std::shared_ptr<UIView>& view, const UIView* sibling) {
    auto it =
        std::find_if(subviews_.begin(), subviews_.end(), [&](const auto& v) { return v.get() == sibling; });
    if (it == subviews_.end()) {
        addSubview(view);
        return;
    }
    std::size_t index = static_cast<std::size_t>(it - subviews_.begin());
    if (view && view->superview_ == this) {
        auto own = std::find(subviews_.begin(), subviews_.end(), view);
        if (own - subviews_.begin() < it - subviews_.begin()) {
            --index;
        }
    }
    attachSubview(view, index);
}

void UIView::insertSubviewAboveSubview(const std::shared_ptr<UIView>& view, const UIView* sibling) {
    auto it =
        std::find_if(subviews_.begin(), subviews_.end(), [&](const auto& v) { return v.get() == sibling; });
    if (it == subviews_.end()) {
        addSubview(view);
        return;
    }
    std::size_t index = static_cast<std::size_t>(it - subviews_.begin()) + 1;
    if (view && view->superview_ == this) {
        auto own = std::find(subviews_.begin(), subviews_.end(), view);
        if (own - subviews_.begin() < it - subviews_.begin()) {
            --index;
        }
    }
    attachSubview(view, index);
}

void UIView::attachSubview(std::shared_ptr<UIView> view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOfView(view.get())) {
        return;
    }
    UIWindow* oldWindow = view->windowPointer();
    if (oldWindow && oldWindow != windowPointer()) {
        oldWindow->viewWillLeaveWindow(*view);
    }
    if (view->superview_ == this) {
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        subviews_.erase(it);
    } else if (view->superview_) {
        UIView* old = view->superview_;
        old->willRemoveSubview(view);
        old->subviews_.erase(std::find(old->subviews_.begin(), old->subviews_.end(), view));
        view->superview_ = nullptr;
    }
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->superview_ = this;
    // The layer goes right above the layer of the subview before it, so layers added to this
    // view's layer directly keep their place.
    if (index > 0) {
        layer_->insertSublayerAbove(view->layer_, subviews_[index - 1]->layer_.get());
    } else if (subviews_.size() > 1) {
        layer_->insertSublayerBelow(view->layer_, subviews_[1]->layer_.get());
    } else {
        layer_->addSublayer(view->layer_);
    }
    view->didMoveToSuperview();
    didAddSubview(view);
    view->moveToWindow(oldWindow, windowPointer());
    view->setNeedsLayout();
    setNeedsLayout();
}

void UIView::removeFromSuperview() {
    UIView* parent = superview_;
    if (!parent) {
        return;
    }
    auto self = std::static_pointer_cast<UIView>(shared_from_this());
    UIWindow* oldWindow = windowPointer();
    if (oldWindow) {
        oldWindow->viewWillLeaveWindow(*this);
    }
    parent->willRemoveSubview(self);
    auto& siblings = parent->subviews_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), self));
    superview_ = nullptr;
    layer_->removeFromSuperlayer();
    didMoveToSuperview();
    moveToWindow(oldWindow, nullptr);
    parent->setNeedsLayout();
}

void UIView::bringSubviewToFront(const UIView* view) {
    for (const auto& subview : subviews_) {
        if (subview.get() == view) {
            attachSubview(subview, subviews_.size());
            return;
        }
    }
}

void UIView::sendSubviewToBack(const UIView* view) {
    for (const auto& subview : subviews_) {
        if (subview.get() == view) {
            attachSubview(subview, 0);
            return;
        }
    }
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview_) {
        if (v == view) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<UIView> UIView::viewWithTag(int tag) {
    if (tag_ == tag) {
        return std::static_pointer_cast<UIView>(shared_from_this());
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

void UIView::moveToWindow(UIWindow* oldWindow, UIWindow* newWindow) {
    if (oldWindow == newWindow) {
        return;
    }
    for (const auto& subview : std::vector<std::shared_ptr<UIView>>(subviews_)) {
        subview->moveToWindow(oldWindow, newWindow);
    }
    if (newWindow && needsLayout_) {
        newWindow->scheduleLayoutPass();
    }
    didMoveToWindow();
    if (viewController_) {
        viewController_->rootViewDidMoveToWindow();
    }
}

// Appearance.

void UIView::setBackgroundColor(std::optional<UIColor> color) {
    if (color == backgroundColor_) {
        return;
    }
    backgroundColor_ = std::move(color);
    engine().modelChanged(*this, Property::backgroundColor);
    showBackgroundColor();
}

void UIView::setMaskView(std::shared_ptr<UIView> view) {
    maskView_ = std::move(view);
    layer_->setMask(maskView_ ? maskView_->layer_ : nullptr);
}

void UIView::setAlpha(CGFloat alpha) {
    if (alpha == alpha_) {
        return;
    }
    alpha_ = alpha;
    engine().modelChanged(*this, Property::alpha);
    showAlpha();
}

void UIView::setHidden(bool hidden) {
    if (hidden == hidden_) {
        return;
    }
    hidden_ = hidden;
    layer_->setHidden(hidden);
    if (superview_) {
        superview_->setNeedsLayout();
    }
}

UIColor UIView::tintColor() const {
    for (const UIView* view = this; view; view = view->superview_) {
        if (view->tintColor_) {
            return *view->tintColor_;
        }
    }
    return UIColor::systemBlueColor();
}

void UIView::setTintColor(std::optional<UIColor> color) {
    if (color == tintColor_) {
        return;
    }
    tintColor_ = std::move(color);
    std::function<void(UIView&)> notify = [&](UIView& view) {
        view.tintColorDidChange();
        for (const auto& subview : view.subviews_) {
            if (!subview->tintColor_) {
                notify(*subview);
            }
        }
    };
    notify(*this);
}

void UIView::tintColorDidChange() {
    setNeedsDisplay();
}

void UIView::setContentMode(UIViewContentMode mode) {
    contentMode_ = mode;
    setNeedsDisplay();
}

void UIView::showCenter() {
    if (!engine().isAnimating(*this, Property::center)) {
        layer_->setPosition(center_);
    }
}

void UIView::showBounds() {
    if (!engine().isAnimating(*this, Property::bounds)) {
        layer_->setBounds(bounds_);
    }
}

void UIView::showTransform() {
    if (!engine().isAnimating(*this, Property::transform)) {
        layer_->setAffineTransform(transform_);
    }
}

void UIView::showAlpha() {
    if (!engine().isAnimating(*this, Property::alpha)) {
        layer_->setOpacity(static_cast<float>(alpha_));
    }
}

void UIView::showBackgroundColor() {
    if (!engine().isAnimating(*this, Property::backgroundColor)) {
        layer_->setBackgroundColor(backgroundColor_);
    }
}

// Drawing.

void UIView::drawRect(const CGRect&) {}

void UIView::drawLayerContent(CGContext&) {
    drawRect(bounds_);
}

bool UIView::drawViewHierarchyInRect(const CGRect& rect, bool) {
    CGContext* context = UIGraphics::currentContext();
    if (!context) {
        return false;
    }
    drawHierarchy(rect, *context, LayerTreeRenderer::renderContent);
    return true;
}

void UIView::drawHierarchy(const CGRect& rect, CGContext& context, void (*render)(CALayer&, CGContext&)) {
    layoutIfNeeded();
    engine().updatePresentation();
    context.saveGState();
    context.translateBy(rect.origin.x, rect.origin.y);
    if (bounds_.size.width > 0 && bounds_.size.height > 0) {
        context.scaleBy(rect.size.width / bounds_.size.width, rect.size.height / bounds_.size.height);
    }
    // The layer draws in its bounds space; what is shown starts at the bounds origin.
    context.translateBy(-bounds_.origin.x, -bounds_.origin.y);
    render(*layer_, context);
    context.restoreGState();
}

// Layout.

void UIView::setNeedsLayout() {
    // Changes a view makes to itself while it lays out are part of that layout.
    if (layingOut_) {
        return;
    }
    needsLayout_ = true;
    if (UIWindow* window = windowPointer()) {
        window->scheduleLayoutPass();
    }
}

void UIView::layoutIfNeeded() {
    // Pending layout of an ancestor may move or resize this view, so it goes first.
    UIView* top = this;
    for (UIView* view = superview_; view; view = view->superview_) {
        if (view->needsLayout_) {
            top = view;
        }
    }
    auto keepAlive = top->shared_from_this();
    top->performLayout();
}

void UIView::performLayout() {
    if (needsLayout_) {
        needsLayout_ = false;
        auto controller = owningViewController();
        if (controller) {
            controller->viewWillLayoutSubviews();
        }
        layingOut_ = true;
        layoutSubviews();
        layingOut_ = false;
        if (controller) {
            controller->viewDidLayoutSubviews();
        }
    }
    for (const auto& subview : std::vector<std::shared_ptr<UIView>>(subviews_)) {
        if (subview->superview_ == this) {
            subview->performLayout();
        }
    }
}

void UIView::layoutSubviews() {
    UILayoutResolver::layoutSubviewsOf(*this);
}

CGSize UIView::intrinsicContentSize() const {
    return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}

void UIView::invalidateIntrinsicContentSize() {
    setNeedsLayout();
    if (superview_) {
        superview_->setNeedsLayout();
    }
}

CGSize UIView::sizeThatFits(CGSize) const {
    return bounds_.size;
}

void UIView::sizeToFit() {
    CGRect f = frame();
    setFrame({f.origin, sizeThatFits(bounds_.size)});
}

CGSize UIView::systemLayoutSizeFittingSize(CGSize targetSize) {
    CGSize intrinsic = intrinsicContentSize();
    if (intrinsic.width >= 0 && intrinsic.height >= 0) {
        return intrinsic;
    }
    CGRect saved = bounds_;
    if (targetSize.width > 0) {
        setBounds({bounds_.origin, {targetSize.width, bounds_.size.height}});
    }
    needsLayout_ = true;
    performLayout();
    CGFloat top = -1;
    CGFloat bottom = 0;
    for (const auto& subview : subviews_) {
        if (subview->isHidden()) {
            continue;
        }
        CGRect f = subview->frame();
        CGSize fitting = subview->systemLayoutSizeFittingSize({f.size.width, 0});
        top = top < 0 ? f.origin.y : std::min(top, f.origin.y);
        bottom = std::max(bottom, f.origin.y + fitting.height);
    }
    CGSize result{bounds_.size.width, top < 0 ? intrinsic.height : bottom + top};
    setBounds(saved);
    setNeedsLayout();
    return {result.width, std::max<CGFloat>(result.height, 0)};
}

UIEdgeInsets UIView::safeAreaInsets() const {
    UIWindow* window = windowPointer();
    if (!window) {
        return {};
    }
    UIEdgeInsets unsafe = window->windowSafeAreaInsets();
    CGRect r = convertRectToView(bounds_, window);
    CGRect w = window->bounds();
    auto clamp = [](CGFloat value, CGFloat limit) {
        return std::clamp<CGFloat>(value, 0, std::max<CGFloat>(limit, 0));
    };
    return {clamp(w.minY() + unsafe.top - r.minY(), r.height()),
            clamp(w.minX() + unsafe.left - r.minX(), r.width()),
            clamp(r.maxY() - (w.maxY() - unsafe.bottom), r.height()),
            clamp(r.maxX() - (w.maxX() - unsafe.right), r.width())};
}

// Constraints.

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    translatesAutoresizingMask_ = translates;
    if (superview_) {
        superview_->setNeedsLayout();
    }
}

void UIView::addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
    if (constraint && !constraint->isActive()) {
        constraint->install(*this);
    }
}

void UIView::addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) {
        addConstraint(constraint);
    }
}

void UIView::removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
    if (constraint && constraint->installedOn_ == this) {
        constraint->setActive(false);
    }
}

NSLayoutAnchor UIView::anchor(NSLayoutAttribute attribute) {
    return NSLayoutAnchor(std::static_pointer_cast<UIView>(shared_from_this()), attribute);
}

std::vector<std::shared_ptr<NSLayoutConstraint>> UIView::constraintsAffectingLayout() const {
    std::vector<std::shared_ptr<NSLayoutConstraint>> result;
    for (const auto& ref : referencingConstraints_) {
        if (auto constraint = ref.lock(); constraint && constraint->isActive()) {
            result.push_back(constraint);
        }
    }
    return result;
}

// Events.

std::shared_ptr<UIView> UIView::hitTest(CGPoint point) {
    if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01 || !pointInside(point)) {
        return nullptr;
    }
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        const auto& subview = *it;
        CGPoint local = subview->transformToSuperview().inverted().apply(point);
        if (auto hit = subview->hitTest(local)) {
            return hit;
        }
    }
    return std::static_pointer_cast<UIView>(shared_from_this());
}

bool UIView::pointInside(CGPoint point) const {
    return bounds_.contains(point);
}

std::shared_ptr<UIResponder> UIView::nextResponder() const {
    if (viewController_) {
        return viewController_->shared_from_this();
    }
    return superview();
}

std::shared_ptr<UIViewController> UIView::owningViewController() const {
    return viewController_ ? std::static_pointer_cast<UIViewController>(viewController_->shared_from_this())
                           : nullptr;
}

// Animations.

void UIView::animateWithDuration(double duration, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    engine().animate(duration, 0, 0, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                 const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    engine().animate(duration, delay, options, animations, std::move(completion));
}

void UIView::performWithoutAnimation(const std::function<void()>& actions) {
    engine().performWithoutAnimation(actions);
}
