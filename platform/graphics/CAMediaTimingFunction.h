#pragma once

#include "platform/graphics/CGGeometry.h"

enum class CAMediaTimingFunctionName { linear, easeIn, easeOut, easeInEaseOut, defaultTiming };

// A cubic Bézier from (0, 0) to (1, 1) mapping elapsed time fraction to progress.
class CAMediaTimingFunction {
  public:
    CAMediaTimingFunction() = default;
    explicit CAMediaTimingFunction(CAMediaTimingFunctionName name);
    CAMediaTimingFunction(CGFloat c1x, CGFloat c1y, CGFloat c2x, CGFloat c2y);
    static CAMediaTimingFunction functionWithName(CAMediaTimingFunctionName name) {
        return CAMediaTimingFunction(name);
    }

    CGFloat progressAt(CGFloat time) const;
    bool operator==(const CAMediaTimingFunction&) const = default;

  private:
    CGFloat c1x_ = 0, c1y_ = 0, c2x_ = 1, c2y_ = 1;
};
