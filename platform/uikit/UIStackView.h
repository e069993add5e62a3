#pragma once

#include "platform/uikit/UIView.h"

#include <memory>
#include <vector>

enum class UILayoutConstraintAxis { horizontal = 0, vertical = 1 };

enum class UIStackViewDistribution { fill, fillEqually, fillProportionally, equalSpacing, equalCentering };

enum class UIStackViewAlignment {
    fill,
    leading,
    top = leading,
    firstBaseline,
    center,
    trailing,
    bottom = trailing
};

// Lines its arranged subviews up along an axis. Hidden arranged subviews take no room. Along the
// axis: fill keeps intrinsic sizes and gives the slack to the views without one (else the last
// view); fillEqually makes them equal; fillProportionally scales intrinsic sizes; equalSpacing
// and equalCentering spread the slack between them. Across the axis: fill stretches, the others
// keep the intrinsic size.
class UIStackView : public UIView {
  public:
    UIStackView();
    explicit UIStackView(const CGRect& frame);
    explicit UIStackView(const NSCoder& coder);
    explicit UIStackView(const std::vector<std::shared_ptr<UIView>>& arrangedSubviews);

    const std::vector<std::shared_ptr<UIView>>& arrangedSubviews() const { return arranged_; }
    // Also adds the view as a subview.
    void addArrangedSubview(const std::shared_ptr<UIView>& view);
    void insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t index);
    // Keeps the view as a subview, as the platform does.
    void removeArrangedSubview(const UIView* view);

    UILayoutConstraintAxis axis() const { return axis_; }
    void setAxis(UILayoutConstraintAxis axis);
    UIStackViewDistribution distribution() const { return distribution_; }
    void setDistribution(UIStackViewDistribution distribution);
    UIStackViewAlignment alignment() const { return alignment_; }
    void setAlignment(UIStackViewAlignment alignment);
    CGFloat spacing() const { return spacing_; }
    void setSpacing(CGFloat spacing);

    void layoutSubviews() override;
    CGSize intrinsicContentSize() const override;
    void willRemoveSubview(const std::shared_ptr<UIView>& view) override;

  private:
    std::vector<std::shared_ptr<UIView>> visibleArranged() const;

    std::vector<std::shared_ptr<UIView>> arranged_;
    UILayoutConstraintAxis axis_ = UILayoutConstraintAxis::horizontal;
    UIStackViewDistribution distribution_ = UIStackViewDistribution::fill;
    UIStackViewAlignment alignment_ = UIStackViewAlignment::fill;
    CGFloat spacing_ = 0;
};
