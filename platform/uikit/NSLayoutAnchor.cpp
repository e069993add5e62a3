#include "platform/uikit/NSLayoutAnchor.h"

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIView.h"

std::shared_ptr<NSLayoutConstraint> NSLayoutAnchor::constraintEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                            CGFloat constant) const {
    return NSLayoutConstraint::constraintWithItem(view(), attribute_, NSLayoutRelation::equal, anchor.view(),
                                                  anchor.attribute(), 1, constant);
}

std::shared_ptr<NSLayoutConstraint>
NSLayoutAnchor::constraintGreaterThanOrEqualToAnchor(const NSLayoutAnchor& anchor, CGFloat constant) const {
    return NSLayoutConstraint::constraintWithItem(view(), attribute_, NSLayoutRelation::greaterThanOrEqual,
                                                  anchor.view(), anchor.attribute(), 1, constant);
}

std::shared_ptr<NSLayoutConstraint>
NSLayoutAnchor::constraintLessThanOrEqualToAnchor(const NSLayoutAnchor& anchor, CGFloat constant) const {
    return NSLayoutConstraint::constraintWithItem(view(), attribute_, NSLayoutRelation::lessThanOrEqual,
                                                  anchor.view(), anchor.attribute(), 1, constant);
}

std::shared_ptr<NSLayoutConstraint> NSLayoutAnchor::constraintEqualToAnchor(const NSLayoutAnchor& anchor,
                                                                            CGFloat multiplier,
                                                                            CGFloat constant) const {
    return NSLayoutConstraint::constraintWithItem(view(), attribute_, NSLayoutRelation::equal, anchor.view(),
                                                  anchor.attribute(), multiplier, constant);
}

std::shared_ptr<NSLayoutConstraint> NSLayoutAnchor::constraintEqualToConstant(CGFloat constant) const {
    return NSLayoutConstraint::constraintWithItem(view(), attribute_, NSLayoutRelation::equal, nullptr,
                                                  NSLayoutAttribute::notAnAttribute, 1, constant);
}
