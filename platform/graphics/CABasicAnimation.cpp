#include "platform/graphics/CABasicAnimation.h"

#include <cmath>

std::optional<CGFloat> CABasicAnimation::valueAt(CGFloat elapsed, CGFloat from, CGFloat to) const {
    CGFloat active = activeDuration();
    bool fillsBefore = fillMode == CAFillMode::backwards || fillMode == CAFillMode::both;
    bool fillsAfter = fillMode == CAFillMode::forwards || fillMode == CAFillMode::both;
    if (elapsed < 0 && !fillsBefore) {
        return std::nullopt;
    }
    if (elapsed >= active && !fillsAfter) {
        return std::nullopt;
    }
    CGFloat clamped = std::clamp(elapsed, 0.0, active);
    CGFloat cycle = 0;
    CGFloat local = 1;
    if (duration > 0) {
        cycle = std::floor(clamped / duration);
        local = clamped / duration - cycle;
        // The end of the last cycle shows its final value, not the start of another.
        if (clamped >= active && cycle > 0) {
            cycle -= 1;
            local = 1;
        }
    }
    CGFloat progress = timingFunction ? timingFunction->progressAt(local) : local;
    CGFloat value = from + (to - from) * progress;
    if (cumulative) {
        value += cycle * (to - from);
    }
    return value;
}
