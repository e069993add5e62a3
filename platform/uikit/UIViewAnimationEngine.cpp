#include "platform/uikit/UIViewAnimationEngine.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/DispatchQueue.h"

#include <algorithm>

namespace {

constexpr double tickInterval = 1.0 / 60.0;

double now() {
    return std::chrono::duration<double>(Clock::current()->now().time_since_epoch()).count();
}

CAMediaTimingFunction timingForOptions(UIViewAnimationOptions options) {
    switch ((options >> 16) & 3u) {
    case 1:
        return CAMediaTimingFunction(CAMediaTimingFunctionName::easeIn);
    case 2:
        return CAMediaTimingFunction(CAMediaTimingFunctionName::easeOut);
    case 3:
        return CAMediaTimingFunction(CAMediaTimingFunctionName::linear);
    default:
        return CAMediaTimingFunction(CAMediaTimingFunctionName::easeInEaseOut);
    }
}

UIColor::RGBA rgbaOf(const std::optional<UIColor>& color) {
    return color ? color->rgba() : UIColor::RGBA{};
}

} // namespace

UIViewAnimationEngine& UIViewAnimationEngine::shared() {
    // Never destroyed: views released during static destruction still report to it.
    static auto* engine = new UIViewAnimationEngine();
    return *engine;
}

void UIViewAnimationEngine::animate(double duration, double delay, UIViewAnimationOptions options,
                                    const std::function<void()>& animations,
                                    std::function<void(bool)> completion) {
    duration = std::max(0.0, duration);
    delay = std::max(0.0, delay);
    bool animating = duration > 0 || delay > 0;
    std::uint64_t group = nextGroup_++;
    contexts_.push_back({animating, duration, delay, timingForOptions(options), group});
    if (animations) {
        animations();
    }
    contexts_.pop_back();
    bool captured =
        std::any_of(tracks_.begin(), tracks_.end(), [&](const Track& t) { return t.group == group; });
    if (!captured) {
        if (completion) {
            DispatchQueue::main()->async([completion] { completion(true); });
        }
        return;
    }
    ensureTicking();
    DispatchQueue::main()->asyncAfter(delay + duration,
                                      [this, group, completion] { finishGroup(group, completion); });
}

void UIViewAnimationEngine::performWithoutAnimation(const std::function<void()>& actions) {
    contexts_.push_back({false, 0, 0, {}, 0});
    if (actions) {
        actions();
    }
    contexts_.pop_back();
}

void UIViewAnimationEngine::modelChanged(UIView& view, Property property) {
    bool capture = !contexts_.empty() && contexts_.back().animating;
    if (!capture) {
        removeTrack(view, property);
        return;
    }
    const Context& context = contexts_.back();
    Values from = presented(view, property);
    removeTrack(view, property);
    if (from == model(view, property)) {
        return;
    }
    tracks_.push_back(
        {&view, property, from, context.group, now() + context.delay, context.duration, context.timing});
}

bool UIViewAnimationEngine::isAnimating(const UIView& view, Property property) const {
    return std::any_of(tracks_.begin(), tracks_.end(),
                       [&](const Track& t) { return t.view == &view && t.property == property; });
}

void UIViewAnimationEngine::updatePresentation() {
    double time = now();
    std::vector<Track> ended;
    for (auto it = tracks_.begin(); it != tracks_.end();) {
        const Track& track = *it;
        double progress = track.duration > 0 ? std::clamp((time - track.start) / track.duration, 0.0, 1.0)
                                             : (time >= track.start ? 1.0 : 0.0);
        // A finished track ends here, so the model shows even if its group's end never runs.
        if (progress >= 1) {
            ended.push_back(track);
            it = tracks_.erase(it);
            continue;
        }
        CGFloat eased = track.timing.progressAt(progress);
        Values to = model(*track.view, track.property);
        Values value;
        for (std::size_t i = 0; i < value.size(); ++i) {
            value[i] = track.from[i] + (to[i] - track.from[i]) * eased;
        }
        show(*track.view, track.property, value);
        ++it;
    }
    showModel(ended);
}

void UIViewAnimationEngine::showModel(const std::vector<Track>& ended) {
    for (const Track& track : ended) {
        show(*track.view, track.property, model(*track.view, track.property));
        if (track.property == Property::backgroundColor) {
            track.view->showBackgroundColor();
        }
    }
}

void UIViewAnimationEngine::viewWillBeDestroyed(const UIView& view) {
    std::erase_if(tracks_, [&](const Track& t) { return t.view == &view; });
}

void UIViewAnimationEngine::finishGroup(std::uint64_t group, const std::function<void(bool)>& completion) {
    std::vector<Track> ended;
    for (auto it = tracks_.begin(); it != tracks_.end();) {
        if (it->group == group) {
            ended.push_back(*it);
            it = tracks_.erase(it);
        } else {
            ++it;
        }
    }
    showModel(ended);
    if (tracks_.empty() && ticker_) {
        ticker_->invalidate();
        ticker_.reset();
    }
    if (completion) {
        completion(true);
    }
}

void UIViewAnimationEngine::removeTrack(const UIView& view, Property property) {
    std::erase_if(tracks_, [&](const Track& t) { return t.view == &view && t.property == property; });
}

void UIViewAnimationEngine::ensureTicking() {
    // A valid ticker always has its next tick pending, unless pending work was dropped wholesale.
    if (ticker_ && ticker_->isValid() && RunLoop::main()->pendingCount() > 0) {
        return;
    }
    if (ticker_) {
        ticker_->invalidate();
    }
    ticker_ = Timer::scheduledTimerWithTimeInterval(tickInterval, true, [this](Timer& timer) {
        updatePresentation();
        if (tracks_.empty()) {
            timer.invalidate();
        }
    });
}

UIViewAnimationEngine::Values UIViewAnimationEngine::presented(const UIView& view, Property property) {
    const CALayer& layer = *view.layer_;
    switch (property) {
    case Property::center:
        return {layer.position().x, layer.position().y, 0, 0, 0, 0};
    case Property::bounds: {
        const CGRect& b = layer.bounds();
        return {b.origin.x, b.origin.y, b.size.width, b.size.height, 0, 0};
    }
    case Property::transform: {
        CGAffineTransform t = layer.affineTransform();
        return {t.a, t.b, t.c, t.d, t.tx, t.ty};
    }
    case Property::alpha:
        return {layer.opacity(), 0, 0, 0, 0, 0};
    case Property::backgroundColor: {
        UIColor::RGBA c = rgbaOf(layer.backgroundColor());
        return {c.red, c.green, c.blue, c.alpha, 0, 0};
    }
    }
    return {};
}

UIViewAnimationEngine::Values UIViewAnimationEngine::model(const UIView& view, Property property) {
    switch (property) {
    case Property::center:
        return {view.center_.x, view.center_.y, 0, 0, 0, 0};
    case Property::bounds:
        return {view.bounds_.origin.x,
                view.bounds_.origin.y,
                view.bounds_.size.width,
                view.bounds_.size.height,
                0,
                0};
    case Property::transform: {
        const CGAffineTransform& t = view.transform_;
        return {t.a, t.b, t.c, t.d, t.tx, t.ty};
    }
    case Property::alpha:
        return {view.alpha_, 0, 0, 0, 0, 0};
    case Property::backgroundColor: {
        UIColor::RGBA c = rgbaOf(view.backgroundColor_);
        return {c.red, c.green, c.blue, c.alpha, 0, 0};
    }
    }
    return {};
}

void UIViewAnimationEngine::show(UIView& view, Property property, const Values& v) {
    CALayer& layer = *view.layer_;
    switch (property) {
    case Property::center:
        layer.setPosition({v[0], v[1]});
        break;
    case Property::bounds:
        layer.setBounds({v[0], v[1], v[2], v[3]});
        break;
    case Property::transform:
        layer.setAffineTransform({v[0], v[1], v[2], v[3], v[4], v[5]});
        break;
    case Property::alpha:
        layer.setOpacity(static_cast<float>(v[0]));
        break;
    case Property::backgroundColor:
        layer.setBackgroundColor(UIColor(v[0], v[1], v[2], v[3]));
        break;
    }
}
