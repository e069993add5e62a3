#pragma once

#include "engine/SolutionStep.h"
#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <string>

class MTMathUILabel;
class NSLayoutConstraint;
class UILabel;
class UINib;
class UIScrollView;
class UIStackView;

// One step of a worked solution: an optional heading over a formula that scrolls sideways, so that
// a wide formula is never shrunk or cut.
class SolutionStepTableViewCell : public UITableViewCell {
  public:
    static constexpr const char* reuseIdentifierName = "solutionStepCell";
    static constexpr const char* boldMarker = "#bold";

    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UIStackView> stackView;
    std::weak_ptr<UIView> stepTitleLabelView;
    std::shared_ptr<UIScrollView> scrollView;
    std::shared_ptr<MTMathUILabel> mathLabel;
    std::shared_ptr<UILabel> stepTitleLabel;
    std::weak_ptr<NSLayoutConstraint> stackViewTopConstraint;

    void awakeFromNib() override;
    // As high as the cell; as wide as the cell plus the part of its formula that lies past the edge.
    CGSize sizeThatFits(CGSize size) const override;
    void setStepTitle(const std::string& title);
    void setStepLatex(const SolutionStep& step);

    // The storyboard prototype of the result table.
    static std::shared_ptr<UINib> prototypeNib();
};
