#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>

class NSLayoutConstraint;
class UIView;

enum class NSLayoutAttribute {
    notAnAttribute,
    left,
    right,
    top,
    bottom,
    leading,
    trailing,
    width,
    height,
    centerX,
    centerY
};

enum class NSLayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

// One edge, centre line or dimension of a view, the source of constraints made in code.
class NSLayoutAnchor {
  public:
    NSLayoutAnchor(std::weak_ptr<UIView> view, NSLayoutAttribute attribute)
        : view_(std::move(view)), attribute_(attribute) {}

    std::shared_ptr<UIView> view() const { return view_.lock(); }
    NSLayoutAttribute attribute() const { return attribute_; }

    // New, inactive constraints: this = anchor + constant.
    std::shared_ptr<NSLayoutConstraint> constraintEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                CGFloat constant = 0) const;
    std::shared_ptr<NSLayoutConstraint> constraintGreaterThanOrEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                             CGFloat constant = 0) const;
    std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                          CGFloat constant = 0) const;
    // Dimensions only: this = anchor × multiplier + constant, or this = constant.
    std::shared_ptr<NSLayoutConstraint> constraintEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                CGFloat multiplier, CGFloat constant) const;
    std::shared_ptr<NSLayoutConstraint> constraintEqualToConstant(CGFloat constant) const;

  private:
    std::weak_ptr<UIView> view_;
    NSLayoutAttribute attribute_;
};
