#include "platform/uikit/NSLayoutConstraint.h"

#include "platform/uikit/UIView.h"

#include <algorithm>

namespace {

UIView* nearestCommonAncestor(UIView* a, UIView* b) {
    if (!b) {
        return a;
    }
    for (UIView* candidate = a; candidate; candidate = candidate->superview().get()) {
        if (b == candidate || b->isDescendantOfView(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace

NSLayoutConstraint::NSLayoutConstraint(Token, const std::shared_ptr<UIView>& item,
                                       NSLayoutAttribute attribute, NSLayoutRelation relation,
                                       const std::shared_ptr<UIView>& toItem, NSLayoutAttribute toAttribute,
                                       CGFloat multiplier, CGFloat constant)
    : first_(item), firstAttribute_(attribute), relation_(relation), second_(toItem),
      secondAttribute_(toAttribute), multiplier_(multiplier), constant_(constant) {}

std::shared_ptr<NSLayoutConstraint>
NSLayoutConstraint::constraintWithItem(const std::shared_ptr<UIView>& item, NSLayoutAttribute attribute,
                                       NSLayoutRelation relation, const std::shared_ptr<UIView>& toItem,
                                       NSLayoutAttribute toAttribute, CGFloat multiplier, CGFloat constant) {
    return std::make_shared<NSLayoutConstraint>(Token{}, item, attribute, relation, toItem, toAttribute,
                                                multiplier, constant);
}

void NSLayoutConstraint::activateConstraints(
    const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) {
        constraint->setActive(true);
    }
}

void NSLayoutConstraint::deactivateConstraints(
    const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) {
        constraint->setActive(false);
    }
}

void NSLayoutConstraint::setConstant(CGFloat constant) {
    constant_ = constant;
    invalidateLayout();
}

void NSLayoutConstraint::setActive(bool active) {
    if (active == active_) {
        return;
    }
    auto first = firstItem();
    if (active) {
        if (!first) {
            return;
        }
        UIView* host = nearestCommonAncestor(first.get(), secondItem().get());
        install(host ? *host : *first);
        return;
    }
    if (installedOn_) {
        auto& installed = installedOn_->installedConstraints_;
        installed.erase(std::remove(installed.begin(), installed.end(), shared_from_this()), installed.end());
    }
    invalidateLayout();
    installedOn_ = nullptr;
    active_ = false;
}

void NSLayoutConstraint::install(UIView& view) {
    if (active_) {
        return;
    }
    active_ = true;
    installedOn_ = &view;
    view.installedConstraints_.push_back(shared_from_this());
    for (auto item : {firstItem(), secondItem()}) {
        if (item) {
            auto& refs = item->referencingConstraints_;
            std::erase_if(refs, [](const auto& ref) { return ref.expired(); });
            refs.push_back(weak_from_this());
        }
    }
    invalidateLayout();
}

void NSLayoutConstraint::invalidateLayout() const {
    for (auto item : {firstItem(), secondItem()}) {
        if (!item) {
            continue;
        }
        item->setNeedsLayout();
        if (auto parent = item->superview()) {
            parent->setNeedsLayout();
        }
    }
}
