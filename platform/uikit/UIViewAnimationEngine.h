#pragma once

#include "platform/foundation/Timer.h"
#include "platform/graphics/CAMediaTimingFunction.h"
#include "platform/uikit/UIView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Runs the block animations of views on the main run loop's clock. While a block runs, every
// change of an animatable property becomes a track from the value presented at that moment to
// the view's model value; a ticking timer writes the interpolated values to the layers, and at
// the end the model values are shown and the completion is queued on the main queue. A change
// made outside an animation ends that property's track at once.
class UIViewAnimationEngine {
  public:
    enum class Property { center, bounds, transform, alpha, backgroundColor };

    static UIViewAnimationEngine& shared();

    void animate(double duration, double delay, UIViewAnimationOptions options,
                 const std::function<void()>& animations, std::function<void(bool)> completion);
    void performWithoutAnimation(const std::function<void()>& actions);

    // Called by a view after its model value of the property changed.
    void modelChanged(UIView& view, Property property);
    bool isAnimating(const UIView& view, Property property) const;
    bool hasRunningAnimations() const { return !tracks_.empty(); }
    // Writes the values due now; the renderer calls it before drawing.
    void updatePresentation();
    void viewWillBeDestroyed(const UIView& view);

  private:
    using Values = std::array<CGFloat, 6>;
    struct Context {
        bool animating = false;
        double duration = 0;
        double delay = 0;
        CAMediaTimingFunction timing;
        std::uint64_t group = 0;
    };
    struct Track {
        UIView* view;
        Property property;
        Values from;
        std::uint64_t group;
        double start;
        double duration;
        CAMediaTimingFunction timing;
    };

    UIViewAnimationEngine() = default;
    static Values presented(const UIView& view, Property property);
    static Values model(const UIView& view, Property property);
    static void show(UIView& view, Property property, const Values& values);
    void finishGroup(std::uint64_t group, const std::function<void(bool)>& completion);
    void showModel(const std::vector<Track>& ended);
    void removeTrack(const UIView& view, Property property);
    void ensureTicking();

    std::vector<Context> contexts_;
    std::vector<Track> tracks_;
    std::uint64_t nextGroup_ = 1;
    std::shared_ptr<Timer> ticker_;
};
