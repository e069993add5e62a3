#pragma once

#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/UIFont.h"
#include "platform/uikit/UIView.h"

#include <optional>
#include <string>

// Read-only text. The text is drawn vertically centred in the bounds, wrapped to the width when
// more than one line is allowed, truncated at the tail when it does not fit, or shrunk (down to
// minimumScaleFactor) when adjustsFontSizeToFitWidth is on. Setting attributed text makes the
// label adopt the font, colour and alignment of its first run.
class UILabel : public UIView {
  public:
    UILabel();
    explicit UILabel(const CGRect& frame);
    explicit UILabel(const NSCoder& coder);

    const std::string& text() const { return text_; }
    void setText(std::string text);
    // The text with the label's own attributes when it was set as plain text.
    NSAttributedString attributedText() const;
    void setAttributedText(NSAttributedString text);
    const UIFont& font() const { return font_; }
    void setFont(UIFont font);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(UIColor color);
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment);
    // 0: any number of lines.
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(NSLineBreakMode mode);
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    CGFloat minimumScaleFactor() const { return minimumScaleFactor_; }
    void setMinimumScaleFactor(CGFloat factor);
    CGFloat preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
    void setPreferredMaxLayoutWidth(CGFloat width);

    // The text as it is drawn at the current width: attributes filled in, shrunk if it must be.
    NSAttributedString displayedText() const;

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(const CGRect& rect) override;
    virtual void drawTextInRect(const CGRect& rect);

  private:
    NSAttributedString styledText() const;
    NSLineBreakMode effectiveLineBreakMode() const;
    CGSize measure(CGFloat width) const;
    void textDidChange();

    std::string text_;
    std::optional<NSAttributedString> attributedText_;
    UIFont font_;
    UIColor textColor_;
    NSTextAlignment alignment_ = NSTextAlignment::natural;
    int numberOfLines_ = 1;
    NSLineBreakMode lineBreakMode_ = NSLineBreakMode::byTruncatingTail;
    bool adjustsFontSize_ = false;
    CGFloat minimumScaleFactor_ = 0;
    CGFloat preferredMaxLayoutWidth_ = 0;
};
