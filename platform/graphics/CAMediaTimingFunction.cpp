#include "platform/graphics/CAMediaTimingFunction.h"

#include <cmath>

CAMediaTimingFunction::CAMediaTimingFunction(CAMediaTimingFunctionName name) {
    switch (name) {
    case CAMediaTimingFunctionName::linear:
        *this = CAMediaTimingFunction(0, 0, 1, 1);
        break;
    case CAMediaTimingFunctionName::easeIn:
        *this = CAMediaTimingFunction(0.42, 0, 1, 1);
        break;
    case CAMediaTimingFunctionName::easeOut:
        *this = CAMediaTimingFunction(0, 0, 0.58, 1);
        break;
    case CAMediaTimingFunctionName::easeInEaseOut:
        *this = CAMediaTimingFunction(0.42, 0, 0.58, 1);
        break;
    case CAMediaTimingFunctionName::defaultTiming:
        *this = CAMediaTimingFunction(0.25, 0.1, 0.25, 1);
        break;
    }
}

CAMediaTimingFunction::CAMediaTimingFunction(CGFloat c1x, CGFloat c1y, CGFloat c2x, CGFloat c2y)
    : c1x_(std::clamp(c1x, 0.0, 1.0)), c1y_(c1y), c2x_(std::clamp(c2x, 0.0, 1.0)), c2y_(c2y) {}

namespace {

CGFloat bezier(CGFloat t, CGFloat p1, CGFloat p2) {
    CGFloat u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

} // namespace

CGFloat CAMediaTimingFunction::progressAt(CGFloat time) const {
    if (time <= 0) {
        return 0;
    }
    if (time >= 1) {
        return 1;
    }
    // x(t) is monotonic for control x in [0, 1], so bisection finds the curve parameter.
    CGFloat lo = 0;
    CGFloat hi = 1;
    for (int i = 0; i < 50; ++i) {
        CGFloat mid = (lo + hi) / 2;
        if (bezier(mid, c1x_, c2x_) < time) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return bezier((lo + hi) / 2, c1y_, c2y_);
}
