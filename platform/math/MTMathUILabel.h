#pragma once

#include "platform/math/MathDisplayNode.h"
#include "platform/math/MathFont.h"
#include "platform/uikit/UIView.h"

#include <optional>
#include <string>

// A view that typesets a LaTeX math formula in display style, aligned left and centred vertically
// inside its content insets. Text that does not parse, or that memory runs out for while it is laid
// out, is shown as it stands (its first few thousand characters), in red, and the label stays usable.
class MTMathUILabel : public UIView {
  public:
    MTMathUILabel();
    explicit MTMathUILabel(const CGRect& frame);
    explicit MTMathUILabel(const NSCoder& coder);

    const std::string& latex() const { return latex_; }
    // Typesets at once and asks for a redraw; "" shows nothing.
    void setLatex(std::string latex);
    CGFloat fontSize() const { return fontSize_; }
    // Points; sizes that are not positive and finite are ignored.
    void setFontSize(CGFloat size);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    const UIEdgeInsets& contentInsets() const { return contentInsets_; }
    void setContentInsets(const UIEdgeInsets& insets);

    // The formula's size plus the content insets.
    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(const CGRect& rect) override;

  private:
    void typeset();

    std::string latex_;
    CGFloat fontSize_ = 20;
    UIColor textColor_ = UIColor::blackColor();
    UIEdgeInsets contentInsets_;
    std::optional<MathFont> font_;
    MathDisplayNode display_;
};
