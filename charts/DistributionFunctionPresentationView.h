#pragma once

#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIView.h"

#include <memory>

// The distribution function of a 0/1 random variable as a LaTeX case table (nib
// "DistributionFunctionPresentationView"): 0 for x < 0, the given value for 0 ≤ x < 1, 1 for 1 ≤ x.
class DistributionFunctionPresentationView : public UIView {
  public:
    // Loads the nib into the new view and shows the value.
    static std::shared_ptr<DistributionFunctionPresentationView> withFrame(const CGRect& frame,
                                                                           double number);
    // As the nib's own content view: no nib of its own.
    explicit DistributionFunctionPresentationView(const NSCoder& coder);
    // Registers the nib "DistributionFunctionPresentationView" (the view does so itself before it loads it).
    static void registerNib();

    std::shared_ptr<DistributionFunctionPresentationView> contentView;
    std::weak_ptr<UIStackView> stackView;
    std::weak_ptr<MTMathUILabel> labelLeft;
    std::weak_ptr<MTMathUILabel> labelMid;
    // Values of the three rows.
    std::weak_ptr<MTMathUILabel> label1;
    std::weak_ptr<MTMathUILabel> label2;
    std::weak_ptr<MTMathUILabel> label3;
    // Ranges of the three rows.
    std::weak_ptr<MTMathUILabel> label4;
    std::weak_ptr<MTMathUILabel> label5;
    std::weak_ptr<MTMathUILabel> label6;

    void showDistributionFunction(double number);

  private:
    explicit DistributionFunctionPresentationView(const CGRect& frame) : UIView(frame) {}
};
