#include "platform/graphics/CALayer.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/LayerTreeRenderer.h"
#include "platform/graphics/UIGraphics.h"

#include <algorithm>
#include <atomic>

namespace {

std::uint64_t nextAnimationId() {
    static std::atomic<std::uint64_t> counter{1};
    return counter++;
}

bool isRotationKeyPath(const std::string& keyPath) {
    return keyPath == "transform.rotation.z" || keyPath == "transform.rotation";
}

// The chain of transforms from a layer's bounds space to the root of its tree.
CGAffineTransform transformToRoot(const CALayer* layer) {
    CGAffineTransform t;
    for (const CALayer* l = layer; l; l = l->superlayer().get()) {
        t = t.concatenating(l->transformToSuperlayer());
    }
    return t;
}

} // namespace

CGFloat CACurrentMediaTime() {
    return std::chrono::duration<double>(Clock::current()->now().time_since_epoch()).count();
}

CALayer::~CALayer() {
    for (RunningAnimation& running : animations_) {
        if (!running.finished) {
            running.group->animationFinished();
        }
    }
}

CGAffineTransform CALayer::transformToSuperlayer() const {
    CGPoint anchor{bounds_.origin.x + anchorPoint_.x * bounds_.size.width,
                   bounds_.origin.y + anchorPoint_.y * bounds_.size.height};
    return CGAffineTransform::makeTranslation(-anchor.x, -anchor.y)
        .concatenating(transform_.affineTransform())
        .concatenating(CGAffineTransform::makeTranslation(position_.x, position_.y));
}

CGRect CALayer::frame() const {
    return transformToSuperlayer().apply(bounds_);
}

void CALayer::setFrame(const CGRect& frame) {
    CGRect f = frame.standardized();
    bounds_.size = f.size;
    position_ = {f.origin.x + anchorPoint_.x * f.size.width, f.origin.y + anchorPoint_.y * f.size.height};
}

CGPoint CALayer::convertPointToLayer(CGPoint point, const CALayer* layer) const {
    CGPoint inRoot = transformToRoot(this).apply(point);
    return layer ? transformToRoot(layer).inverted().apply(inRoot) : inRoot;
}

CGRect CALayer::convertRectToLayer(const CGRect& rect, const CALayer* layer) const {
    CGAffineTransform t = transformToRoot(this);
    if (layer) {
        t = t.concatenating(transformToRoot(layer).inverted());
    }
    return t.apply(rect);
}

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer) {
    insertSublayerAtIndex(layer, sublayers_.size());
}

void CALayer::insertSublayerAtIndex(const std::shared_ptr<CALayer>& layer, std::size_t index) {
    if (!layer || layer.get() == this) {
        return;
    }
    layer->removeFromSuperlayer();
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), layer);
    layer->superlayer_ = weak_from_this();
}

void CALayer::insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const CALayer* sibling) {
    if (!layer || layer.get() == this) {
        return;
    }
    layer->removeFromSuperlayer();
    auto it =
        std::find_if(sublayers_.begin(), sublayers_.end(), [&](const auto& l) { return l.get() == sibling; });
    insertSublayerAtIndex(layer,
                          it == sublayers_.end() ? 0 : static_cast<std::size_t>(it - sublayers_.begin()));
}

void CALayer::insertSublayerAbove(const std::shared_ptr<CALayer>& layer, const CALayer* sibling) {
    if (!layer || layer.get() == this) {
        return;
    }
    layer->removeFromSuperlayer();
    auto it =
        std::find_if(sublayers_.begin(), sublayers_.end(), [&](const auto& l) { return l.get() == sibling; });
    insertSublayerAtIndex(layer, it == sublayers_.end()
                                     ? sublayers_.size()
                                     : static_cast<std::size_t>(it - sublayers_.begin()) + 1);
}

void CALayer::removeFromSuperlayer() {
    auto parent = superlayer_.lock();
    superlayer_.reset();
    if (!parent) {
        return;
    }
    auto& siblings = parent->sublayers_;
    auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& l) { return l.get() == this; });
    if (it != siblings.end()) {
        // The parent's entry may be the last owner; keep this alive until the erase is done.
        auto self = *it;
        siblings.erase(it);
    }
}

void CALayer::drawInContext(CGContext& context) {
    auto delegate = delegate_.lock();
    if (!delegate) {
        return;
    }
    context.saveGState();
    context.clipToRect(bounds_);
    UIGraphics::pushContext(context);
    delegate->drawLayerInContext(*this, context);
    UIGraphics::popContext();
    context.restoreGState();
}

void CALayer::addAnimation(const CABasicAnimation& animation, const std::string& key) {
    if (!valueForKeyPath(animation.keyPath())) {
        return;
    }
    RunningAnimation running{key, animation, 0, 0, nullptr, 0, false};
    if (running.animation.duration <= 0) {
        running.animation.duration = CATransaction::animationDuration();
    }
    // The render tree holds a rotation as a matrix, so an unset start reads back as the shown angle
    // within one turn: after a filled spin to -2π the next spin starts from 0, not from -2π.
    running.from = animation.fromValue.value_or(isRotationKeyPath(animation.keyPath())
                                                    ? presentationTransform().rotationZ()
                                                    : *presentationValueForKeyPath(animation.keyPath()));
    running.startTime = CACurrentMediaTime() + animation.beginTime;
    running.group = CATransaction::currentGroup();
    running.id = nextAnimationId();
    if (!key.empty()) {
        removeAnimationForKey(key);
    }
    running.group->animationStarted();
    CGFloat endsIn = std::max(0.0, animation.beginTime) + running.animation.activeDuration();
    std::weak_ptr<CALayer> weakSelf = weak_from_this();
    std::uint64_t id = running.id;
    animations_.push_back(std::move(running));
    DispatchQueue::main()->asyncAfter(endsIn, [weakSelf, id] {
        if (auto self = weakSelf.lock()) {
            self->finishAnimation(id, true);
        }
    });
}

void CALayer::finishAnimation(std::uint64_t id, bool) {
    auto it = std::find_if(animations_.begin(), animations_.end(), [&](const auto& a) { return a.id == id; });
    if (it == animations_.end() || it->finished) {
        return;
    }
    it->finished = true;
    auto group = it->group;
    if (it->animation.removedOnCompletion) {
        animations_.erase(it);
    }
    group->animationFinished();
}

std::optional<CABasicAnimation> CALayer::animationForKey(const std::string& key) const {
    for (const RunningAnimation& running : animations_) {
        if (running.key == key) {
            return running.animation;
        }
    }
    return std::nullopt;
}

std::vector<std::string> CALayer::animationKeys() const {
    std::vector<std::string> keys;
    for (const RunningAnimation& running : animations_) {
        if (!running.key.empty()) {
            keys.push_back(running.key);
        }
    }
    return keys;
}

void CALayer::removeAnimationForKey(const std::string& key) {
    auto it =
        std::find_if(animations_.begin(), animations_.end(), [&](const auto& a) { return a.key == key; });
    if (it == animations_.end()) {
        return;
    }
    RunningAnimation removed = std::move(*it);
    animations_.erase(it);
    if (!removed.finished) {
        removed.group->animationFinished();
    }
}

void CALayer::removeAllAnimations() {
    std::vector<RunningAnimation> removed = std::move(animations_);
    animations_.clear();
    for (RunningAnimation& running : removed) {
        if (!running.finished) {
            running.group->animationFinished();
        }
    }
}

std::optional<CGFloat> CALayer::valueForKeyPath(const std::string& keyPath) const {
    if (keyPath == "opacity") {
        return opacity_;
    }
    if (isRotationKeyPath(keyPath)) {
        return transform_.rotationZ();
    }
    return std::nullopt;
}

std::optional<CGFloat> CALayer::presentationValueForKeyPath(const std::string& keyPath) const {
    std::optional<CGFloat> value = valueForKeyPath(keyPath);
    if (!value || animations_.empty()) {
        return value;
    }
    CGFloat model = *value;
    CGFloat now = CACurrentMediaTime();
    for (const RunningAnimation& running : animations_) {
        bool sameProperty = running.animation.keyPath() == keyPath ||
                            (isRotationKeyPath(keyPath) && isRotationKeyPath(running.animation.keyPath()));
        if (!sameProperty) {
            continue;
        }
        CGFloat to = running.animation.toValue.value_or(model);
        if (auto animated = running.animation.valueAt(now - running.startTime, running.from, to)) {
            value = animated;
        }
    }
    return value;
}

float CALayer::presentationOpacity() const {
    return static_cast<float>(presentationValueForKeyPath("opacity").value_or(opacity_));
}

CATransform3D CALayer::presentationTransform() const {
    CGFloat model = transform_.rotationZ();
    CGFloat presented = presentationValueForKeyPath("transform.rotation.z").value_or(model);
    if (presented == model) {
        return transform_;
    }
    return CATransform3D::makeRotation(presented - model, 0, 0, 1).concatenating(transform_);
}

void CALayer::renderInContext(CGContext& context) {
    LayerTreeRenderer::renderContent(*this, context);
}
