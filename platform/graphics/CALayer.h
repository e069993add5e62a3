#pragma once

#include "platform/graphics/CABasicAnimation.h"
#include "platform/graphics/CATransaction.h"
#include "platform/graphics/CATransform3D.h"
#include "platform/graphics/UIColor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CALayer;
class CGContext;
class UIImage;

// Draws a layer's own content (a view's drawRect, a label's text). The context's user space is
// the layer's bounds coordinate system and is also the current UIGraphics context.
class CALayerDelegate {
  public:
    virtual ~CALayerDelegate() = default;
    virtual void drawLayerInContext(CALayer& layer, CGContext& context) = 0;
};

// The media time animations run on: the main run loop's clock, in seconds.
CGFloat CACurrentMediaTime();

// A node of the render tree. Geometry follows the platform: bounds in the layer's own space,
// position of the anchor point in the superlayer, transform about the anchor point.
class CALayer : public std::enable_shared_from_this<CALayer> {
  public:
    static std::shared_ptr<CALayer> layer() { return std::make_shared<CALayer>(); }
    CALayer() = default;
    virtual ~CALayer();
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    // Geometry.
    CGRect frame() const;
    // Keeps the anchor point and transform: sets bounds size and position.
    void setFrame(const CGRect& frame);
    const CGRect& bounds() const { return bounds_; }
    void setBounds(const CGRect& bounds) { bounds_ = bounds; }
    CGPoint position() const { return position_; }
    void setPosition(CGPoint position) { position_ = position; }
    CGPoint anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(CGPoint anchor) { anchorPoint_ = anchor; }
    const CATransform3D& transform() const { return transform_; }
    void setTransform(const CATransform3D& transform) { transform_ = transform; }
    CGAffineTransform affineTransform() const { return transform_.affineTransform(); }
    void setAffineTransform(const CGAffineTransform& t) {
        transform_ = CATransform3D::makeAffineTransform(t);
    }
    // Maps this layer's bounds space to its superlayer's space (model values).
    CGAffineTransform transformToSuperlayer() const;
    CGPoint convertPointToLayer(CGPoint point, const CALayer* layer) const;
    CGRect convertRectToLayer(const CGRect& rect, const CALayer* layer) const;

    // Appearance. Colours stay dynamic unless the caller froze them with cgColor().
    const std::optional<UIColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<UIColor> color) { backgroundColor_ = std::move(color); }
    const std::optional<UIColor>& borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<UIColor> color) { borderColor_ = std::move(color); }
    CGFloat borderWidth() const { return borderWidth_; }
    void setBorderWidth(CGFloat width) { borderWidth_ = width; }
    CGFloat cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(CGFloat radius) { cornerRadius_ = radius; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
    float opacity() const { return opacity_; }
    void setOpacity(float opacity) { opacity_ = opacity; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }

    const std::optional<UIColor>& shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<UIColor> color) { shadowColor_ = std::move(color); }
    float shadowOpacity() const { return shadowOpacity_; }
    void setShadowOpacity(float opacity) { shadowOpacity_ = opacity; }
    CGSize shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(CGSize offset) { shadowOffset_ = offset; }
    CGFloat shadowRadius() const { return shadowRadius_; }
    void setShadowRadius(CGFloat radius) { shadowRadius_ = radius; }

    // Drawn scaled to fill the bounds.
    const std::shared_ptr<UIImage>& contents() const { return contents_; }
    void setContents(std::shared_ptr<UIImage> image) { contents_ = std::move(image); }

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Layer tree.
    const std::vector<std::shared_ptr<CALayer>>& sublayers() const { return sublayers_; }
    std::shared_ptr<CALayer> superlayer() const { return superlayer_.lock(); }
    void addSublayer(const std::shared_ptr<CALayer>& layer);
    void insertSublayerAtIndex(const std::shared_ptr<CALayer>& layer, std::size_t index);
    void insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const CALayer* sibling);
    void insertSublayerAbove(const std::shared_ptr<CALayer>& layer, const CALayer* sibling);
    void removeFromSuperlayer();
    // The layer whose alpha masks this one's content; drawn in this layer's bounds space.
    const std::shared_ptr<CALayer>& mask() const { return mask_; }
    void setMask(std::shared_ptr<CALayer> mask) { mask_ = std::move(mask); }

    // Custom drawing.
    std::weak_ptr<CALayerDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<CALayerDelegate> delegate) { delegate_ = std::move(delegate); }
    // Draws the layer's own content; the default asks the delegate.
    virtual void drawInContext(CGContext& context);
    // Content is drawn at every render; the flag only records the request.
    void setNeedsDisplay() { needsDisplay_ = true; }
    bool needsDisplay() const { return needsDisplay_; }
    void clearNeedsDisplay() { needsDisplay_ = false; }

    // Animations.
    void addAnimation(const CABasicAnimation& animation, const std::string& key);
    std::optional<CABasicAnimation> animationForKey(const std::string& key) const;
    std::vector<std::string> animationKeys() const;
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();
    // Model value of an animatable key path (nothing for an unknown one).
    virtual std::optional<CGFloat> valueForKeyPath(const std::string& keyPath) const;
    // The value shown now: the model value with running animations applied.
    std::optional<CGFloat> presentationValueForKeyPath(const std::string& keyPath) const;
    float presentationOpacity() const;
    CATransform3D presentationTransform() const;

    // Where the layer's own drawing may reach, in its bounds space (its bounds, or more for
    // drawing that is not clipped).
    virtual CGRect contentExtent() const { return bounds_; }

    // Draws the layer and its sublayers, as presented now, into the context's user space taken as
    // this layer's bounds space, as the platform does.
    void renderInContext(CGContext& context);

  private:
    struct RunningAnimation {
        std::string key;
        CABasicAnimation animation;
        CGFloat startTime = 0;
        // Resolved when added, from the value presented at that moment.
        CGFloat from = 0;
        std::shared_ptr<CATransaction::Group> group;
        std::uint64_t id = 0;
        bool finished = false;
    };
    void finishAnimation(std::uint64_t id, bool finished);

    CGRect bounds_;
    CGPoint position_;
    CGPoint anchorPoint_{0.5, 0.5};
    CATransform3D transform_;
    std::optional<UIColor> backgroundColor_;
    std::optional<UIColor> borderColor_ = UIColor::blackColor();
    CGFloat borderWidth_ = 0;
    CGFloat cornerRadius_ = 0;
    bool masksToBounds_ = false;
    float opacity_ = 1;
    bool hidden_ = false;
    bool opaque_ = false;
    std::optional<UIColor> shadowColor_ = UIColor::blackColor();
    float shadowOpacity_ = 0;
    CGSize shadowOffset_{0, -3};
    CGFloat shadowRadius_ = 3;
    std::shared_ptr<UIImage> contents_;
    std::string name_;
    std::vector<std::shared_ptr<CALayer>> sublayers_;
    std::weak_ptr<CALayer> superlayer_;
    std::shared_ptr<CALayer> mask_;
    std::weak_ptr<CALayerDelegate> delegate_;
    bool needsDisplay_ = false;
    std::vector<RunningAnimation> animations_;
};
