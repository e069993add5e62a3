#pragma once

#include "platform/graphics/CAMediaTimingFunction.h"

#include <optional>
#include <string>

enum class CAFillMode { removed, forwards, backwards, both };

// Animates one scalar key path of a layer: "strokeStart", "strokeEnd", "opacity" or
// "transform.rotation.z". Adding it to a layer copies it and starts it at the current media time
// (plus beginTime); an absent fromValue starts at the layer's presented value, an absent toValue
// ends at the layer's model value.
class CABasicAnimation {
  public:
    explicit CABasicAnimation(std::string keyPath) : keyPath_(std::move(keyPath)) {}
    static CABasicAnimation animationWithKeyPath(std::string keyPath) {
        return CABasicAnimation(std::move(keyPath));
    }

    const std::string& keyPath() const { return keyPath_; }

    std::optional<CGFloat> fromValue;
    std::optional<CGFloat> toValue;
    // 0 takes the transaction's duration (0.25 s unless set).
    CGFloat duration = 0;
    // Seconds after adding.
    CGFloat beginTime = 0;
    std::optional<CAMediaTimingFunction> timingFunction;
    CAFillMode fillMode = CAFillMode::removed;
    bool removedOnCompletion = true;
    CGFloat repeatCount = 0;
    bool cumulative = false;

    // Effective number of cycles (a repeat count of 0 plays once).
    CGFloat cycles() const { return repeatCount > 0 ? repeatCount : 1; }
    CGFloat activeDuration() const { return duration * cycles(); }
    // Value at `elapsed` seconds after the start, given resolved end points; nothing when the
    // animation does not affect the value at that time (before start or after end without fill).
    std::optional<CGFloat> valueAt(CGFloat elapsed, CGFloat from, CGFloat to) const;

  private:
    std::string keyPath_;
};
