#pragma once

#include "platform/uikit/NSLayoutAnchor.h"

#include <memory>
#include <string>
#include <vector>

// first.attribute (relation) second.attribute × multiplier + constant. Active constraints are
// installed on the nearest common ancestor of their items and resolved in that ancestor's layout
// pass: a view placed by constraints is positioned among its siblings in its superview.
class NSLayoutConstraint : public std::enable_shared_from_this<NSLayoutConstraint> {
    struct Token {};

  public:
    NSLayoutConstraint(Token, const std::shared_ptr<UIView>& item, NSLayoutAttribute attribute,
                       NSLayoutRelation relation, const std::shared_ptr<UIView>& toItem,
                       NSLayoutAttribute toAttribute, CGFloat multiplier, CGFloat constant);

    static std::shared_ptr<NSLayoutConstraint>
    constraintWithItem(const std::shared_ptr<UIView>& item, NSLayoutAttribute attribute,
                       NSLayoutRelation relation, const std::shared_ptr<UIView>& toItem,
                       NSLayoutAttribute toAttribute, CGFloat multiplier, CGFloat constant);
    static void activateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    static void deactivateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);

    std::shared_ptr<UIView> firstItem() const { return first_.lock(); }
    NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
    NSLayoutRelation relation() const { return relation_; }
    std::shared_ptr<UIView> secondItem() const { return second_.lock(); }
    NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
    CGFloat multiplier() const { return multiplier_; }
    CGFloat constant() const { return constant_; }
    // Lays the items out again in the next pass.
    void setConstant(CGFloat constant);
    bool isActive() const { return active_; }
    void setActive(bool active);
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

  private:
    friend class UIView;
    void install(UIView& view);
    void invalidateLayout() const;

    std::weak_ptr<UIView> first_;
    NSLayoutAttribute firstAttribute_;
    NSLayoutRelation relation_;
    std::weak_ptr<UIView> second_;
    NSLayoutAttribute secondAttribute_;
    CGFloat multiplier_;
    CGFloat constant_;
    bool active_ = false;
    UIView* installedOn_ = nullptr;
    std::string identifier_;
};
