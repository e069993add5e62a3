#pragma once

#include "platform/graphics/CALayer.h"
#include "platform/graphics/CGAffineTransform.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIEdgeInsets.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/NSCoder.h"
#include "platform/uikit/NSLayoutAnchor.h"
#include "platform/uikit/UIResponder.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class NSLayoutConstraint;
class UIImage;
class UIViewController;
class UIWindow;

enum class UIViewContentMode {
    scaleToFill,
    scaleAspectFit,
    scaleAspectFill,
    redraw,
    center,
    top,
    bottom,
    left,
    right,
    topLeft,
    topRight,
    bottomLeft,
    bottomRight
};

// Bit masks with the platform's values (flexible width and height together are 18).
using UIViewAutoresizing = unsigned;
inline constexpr UIViewAutoresizing UIViewAutoresizingNone = 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleLeftMargin = 1u << 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleWidth = 1u << 1;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleRightMargin = 1u << 2;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleTopMargin = 1u << 3;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleHeight = 1u << 4;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleBottomMargin = 1u << 5;

using UIViewAnimationOptions = unsigned;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1u << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1u << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0u << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1u << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2u << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3u << 16;

inline constexpr CGFloat UIViewNoIntrinsicMetric = -1;

// A rectangle on screen with its own layer. Geometry and the animatable properties (centre,
// bounds, transform, alpha, background colour) are held by the view as model values; the layer
// shows what is presented now, which differs from the model only while a view animation runs.
class UIView : public UIResponder {
  public:
    UIView();
    explicit UIView(const CGRect& frame);
    explicit UIView(const NSCoder& coder);
    ~UIView() override;

    // Geometry.
    CGRect frame() const;
    void setFrame(const CGRect& frame);
    const CGRect& bounds() const { return bounds_; }
    void setBounds(const CGRect& bounds);
    CGPoint center() const { return center_; }
    void setCenter(CGPoint center);
    const CGAffineTransform& transform() const { return transform_; }
    void setTransform(const CGAffineTransform& transform);

    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(const CGRect& rect, const UIView* view) const;
    CGRect convertRectFromView(const CGRect& rect, const UIView* view) const;

    // Hierarchy. Subviews are ordered back to front.
    std::shared_ptr<UIView> superview() const;
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    std::shared_ptr<UIWindow> window() const;
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubviewAtIndex(const std::shared_ptr<UIView>& view, std::size_t index);
    void insertSubviewBelowSubview(const std::shared_ptr<UIView>& view, const UIView* sibling);
    void insertSubviewAboveSubview(const std::shared_ptr<UIView>& view, const UIView* sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    bool isDescendantOfView(const UIView* view) const;
    // Depth first, the view itself included.
    std::shared_ptr<UIView> viewWithTag(int tag);

    virtual void didAddSubview(const std::shared_ptr<UIView>&) {}
    virtual void willRemoveSubview(const std::shared_ptr<UIView>&) {}
    virtual void didMoveToSuperview() {}
    virtual void didMoveToWindow() {}

    // Appearance.
    const std::optional<UIColor>& backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(std::optional<UIColor> color);
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    bool clipsToBounds() const { return layer_->masksToBounds(); }
    void setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }
    // The own tint, else the superview's, else the system blue.
    UIColor tintColor() const;
    void setTintColor(std::optional<UIColor> color);
    virtual void tintColorDidChange();
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    const std::string& accessibilityIdentifier() const { return accessibilityIdentifier_; }
    void setAccessibilityIdentifier(std::string identifier) {
        accessibilityIdentifier_ = std::move(identifier);
    }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    const std::shared_ptr<CALayer>& layer() const { return layer_; }
    // A view whose alpha masks this view; it is not a subview.
    const std::shared_ptr<UIView>& maskView() const { return maskView_; }
    void setMaskView(std::shared_ptr<UIView> view);
    UITraitCollection traitCollection() const { return UITraitCollection::currentTraitCollection(); }

    // Custom drawing: drawRect draws into UIGraphicsGetCurrentContext() in bounds space; it runs
    // whenever the view is rendered.
    void setNeedsDisplay() { layer_->setNeedsDisplay(); }
    virtual void drawRect(const CGRect& rect);

    // Layout: autoresizing masks apply when the bounds size changes; layoutSubviews runs in the
    // layout pass (layoutIfNeeded, or the window's pass at the end of the run-loop turn).
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    void layoutIfNeeded();
    // The default positions subviews placed by constraints.
    virtual void layoutSubviews();
    UIViewAutoresizing autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(UIViewAutoresizing mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }
    // UIViewNoIntrinsicMetric in a dimension that has none.
    virtual CGSize intrinsicContentSize() const;
    void invalidateIntrinsicContentSize();
    // The default keeps the current size.
    virtual CGSize sizeThatFits(CGSize size) const;
    void sizeToFit();
    // The size the view needs at the target width: its intrinsic size when it has one, else the
    // extent of its laid-out subviews.
    virtual CGSize systemLayoutSizeFittingSize(CGSize targetSize);
    // The part of the view covered by the window's unsafe edges.
    UIEdgeInsets safeAreaInsets() const;

    // Constraints.
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesAutoresizingMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
    // Constraints installed on this view.
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraints() const { return installedConstraints_; }
    void addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    void addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    void removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    NSLayoutAnchor topAnchor() { return anchor(NSLayoutAttribute::top); }
    NSLayoutAnchor bottomAnchor() { return anchor(NSLayoutAttribute::bottom); }
    NSLayoutAnchor leadingAnchor() { return anchor(NSLayoutAttribute::leading); }
    NSLayoutAnchor trailingAnchor() { return anchor(NSLayoutAttribute::trailing); }
    NSLayoutAnchor leftAnchor() { return anchor(NSLayoutAttribute::left); }
    NSLayoutAnchor rightAnchor() { return anchor(NSLayoutAttribute::right); }
    NSLayoutAnchor widthAnchor() { return anchor(NSLayoutAttribute::width); }
    NSLayoutAnchor heightAnchor() { return anchor(NSLayoutAttribute::height); }
    NSLayoutAnchor centerXAnchor() { return anchor(NSLayoutAttribute::centerX); }
    NSLayoutAnchor centerYAnchor() { return anchor(NSLayoutAttribute::centerY); }
    // Active constraints that name this view as either item.
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraintsAffectingLayout() const;

    // Events. Hidden, non-interactive and nearly transparent views take no touches.
    virtual std::shared_ptr<UIView> hitTest(CGPoint point);
    virtual bool pointInside(CGPoint point) const;
    std::shared_ptr<UIResponder> nextResponder() const override;
    // The view controller whose root view this is.
    std::shared_ptr<UIViewController> owningViewController() const;

    // Called once for every view a nib or storyboard scene builds, after its outlets are connected.
    virtual void awakeFromNib() {}

    // Lays the tree out, brings animations up to now and renders it into the current UIGraphics
    // context as it is shown (a scrolled view shows the part at its bounds origin), with the bounds
    // mapped onto rect. False when there is no current context.
    bool drawViewHierarchyInRect(const CGRect& rect, bool afterScreenUpdates);

    // Animations of the animatable properties changed inside the block, timed on the run-loop
    // clock; the completion runs on the main queue when they end.
    static void animateWithDuration(double duration, const std::function<void()>& animations,
                                    std::function<void(bool)> completion = {});
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                    const std::function<void()>& animations,
                                    std::function<void(bool)> completion = {});
    static void performWithoutAnimation(const std::function<void()>& actions);

  private:
    friend class NSLayoutConstraint;
    friend class UIViewAnimationEngine;
    friend class UIViewBackingLayer;
    friend class UIViewController;
    friend class UIWindow;

    NSLayoutAnchor anchor(NSLayoutAttribute attribute);
    // Lays out and draws the hierarchy into rect as drawViewHierarchyInRect does, the layer tree by
    // the given renderer.
    void drawHierarchy(const CGRect& rect, CGContext& context, void (*render)(CALayer&, CGContext&));
    // Takes its own reference: callers may pass an element of subviews_.
    void attachSubview(std::shared_ptr<UIView> view, std::size_t index);
    void moveToWindow(UIWindow* oldWindow, UIWindow* newWindow);
    UIWindow* windowPointer() const;
    void resizeSubviews(CGSize oldSize);
    void boundsSizeDidChange(CGSize oldSize);
    CGAffineTransform transformToSuperview() const;
    CGAffineTransform transformToRoot(const UIView** root) const;
    void performLayout();
    void drawLayerContent(CGContext& context);

    // Writes of model values to the layer, skipped while an animation owns the property.
    void showCenter();
    void showBounds();
    void showTransform();
    void showAlpha();
    void showBackgroundColor();

    std::shared_ptr<CALayer> layer_;
    std::shared_ptr<UIView> maskView_;
    UIView* superview_ = nullptr;
    std::vector<std::shared_ptr<UIView>> subviews_;
    UIViewController* viewController_ = nullptr;

    CGPoint center_;
    CGRect bounds_;
    CGAffineTransform transform_;
    CGFloat alpha_ = 1;
    std::optional<UIColor> backgroundColor_;
    bool hidden_ = false;
    std::optional<UIColor> tintColor_;
    UIViewContentMode contentMode_ = UIViewContentMode::scaleToFill;
    int tag_ = 0;
    std::string accessibilityIdentifier_;
    bool userInteractionEnabled_ = true;

    bool needsLayout_ = true;
    bool layingOut_ = false;
    UIViewAutoresizing autoresizingMask_ = UIViewAutoresizingNone;
    bool autoresizesSubviews_ = true;
    bool translatesAutoresizingMask_ = true;
    bool awokeFromNib_ = false;
    std::vector<std::shared_ptr<NSLayoutConstraint>> installedConstraints_;
    std::vector<std::weak_ptr<NSLayoutConstraint>> referencingConstraints_;

    friend class UINib;
};
