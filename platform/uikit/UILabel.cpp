#include "platform/uikit/UILabel.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/UIGraphics.h"

#include <cmath>

namespace {

// The smallest shrink factor when the label sets none.
constexpr CGFloat smallestShrink = 0.1;

NSAttributedString withScaledFonts(const NSAttributedString& text, CGFloat factor) {
    NSAttributedString scaled;
    for (const auto& run : text.runs()) {
        NSStringAttributes attributes = run.attributes;
        if (attributes.font) {
            attributes.font = attributes.font->fontWithSize(attributes.font->pointSize() * factor);
        }
        scaled.append(run.text, attributes);
    }
    return scaled;
}

} // namespace

UILabel::UILabel() : UILabel(CGRect{}) {}

UILabel::UILabel(const NSCoder&) : UILabel(CGRect{}) {}

UILabel::UILabel(const CGRect& frame)
    : UIView(frame), font_(UIFont::systemFontOfSize(17)), textColor_(UIColor::labelColor()) {
    setUserInteractionEnabled(false);
}

void UILabel::textDidChange() {
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void UILabel::setText(std::string text) {
    text_ = std::move(text);
    attributedText_.reset();
    textDidChange();
}

NSAttributedString UILabel::attributedText() const {
    return attributedText_ ? *attributedText_ : styledText();
}

void UILabel::setAttributedText(NSAttributedString text) {
    NSStringAttributes first = text.attributesAtStart();
    if (first.font) {
        font_ = *first.font;
    }
    if (first.foregroundColor) {
        textColor_ = *first.foregroundColor;
    }
    if (first.paragraphStyle) {
        alignment_ = first.paragraphStyle->alignment;
    }
    text_ = text.string();
    attributedText_ = std::move(text);
    textDidChange();
}

void UILabel::setFont(UIFont font) {
    font_ = std::move(font);
    attributedText_.reset();
    textDidChange();
}

void UILabel::setTextColor(UIColor color) {
    textColor_ = std::move(color);
    attributedText_.reset();
    setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines) {
    numberOfLines_ = std::max(0, lines);
    textDidChange();
}

void UILabel::setLineBreakMode(NSLineBreakMode mode) {
    lineBreakMode_ = mode;
    textDidChange();
}

void UILabel::setAdjustsFontSizeToFitWidth(bool adjusts) {
    adjustsFontSize_ = adjusts;
    setNeedsDisplay();
}

void UILabel::setMinimumScaleFactor(CGFloat factor) {
    minimumScaleFactor_ = factor;
    setNeedsDisplay();
}

void UILabel::setPreferredMaxLayoutWidth(CGFloat width) {
    preferredMaxLayoutWidth_ = width;
    invalidateIntrinsicContentSize();
}

NSAttributedString UILabel::styledText() const {
    if (attributedText_) {
        // Runs without their own font or colour take the label's.
        NSAttributedString filled;
        for (const auto& run : attributedText_->runs()) {
            NSStringAttributes attributes = run.attributes;
            if (!attributes.font) {
                attributes.font = font_;
            }
            if (!attributes.foregroundColor) {
                attributes.foregroundColor = textColor_;
            }
            filled.append(run.text, attributes);
        }
        return filled;
    }
    NSStringAttributes attributes;
    attributes.font = font_;
    attributes.foregroundColor = textColor_;
    NSParagraphStyle paragraph;
    paragraph.alignment = alignment_;
    paragraph.lineBreakMode = lineBreakMode_;
    attributes.paragraphStyle = paragraph;
    return NSAttributedString(text_, attributes);
}

NSAttributedString UILabel::displayedText() const {
    NSAttributedString text = styledText();
    if (!adjustsFontSize_ || numberOfLines_ != 1 || text.empty() || bounds().size.width <= 0) {
        return text;
    }
    CGFloat width = text.size().width;
    if (width <= bounds().size.width) {
        return text;
    }
    CGFloat floor = minimumScaleFactor_ > 0 ? minimumScaleFactor_ : smallestShrink;
    return withScaledFonts(text, std::max(floor, bounds().size.width / width));
}

CGSize UILabel::measure(CGFloat width) const {
    NSAttributedString text = styledText();
    if (text.empty()) {
        return {0, 0};
    }
    TextLayout::Options options;
    options.width = numberOfLines_ == 1 ? 0 : width;
    options.numberOfLines = numberOfLines_;
    options.alignment = alignment_;
    options.lineBreakMode = effectiveLineBreakMode();
    TextLayout layout(text, options);
    CGSize size = layout.size();
    return {std::ceil(size.width), std::ceil(size.height)};
}

NSLineBreakMode UILabel::effectiveLineBreakMode() const {
    // Without a line limit there is no last line to truncate: the text wraps by words.
    bool truncating = lineBreakMode_ == NSLineBreakMode::byTruncatingHead ||
                      lineBreakMode_ == NSLineBreakMode::byTruncatingMiddle ||
                      lineBreakMode_ == NSLineBreakMode::byTruncatingTail;
    return numberOfLines_ == 0 && truncating ? NSLineBreakMode::byWordWrapping : lineBreakMode_;
}

CGSize UILabel::intrinsicContentSize() const {
    CGFloat width = preferredMaxLayoutWidth_ > 0 ? preferredMaxLayoutWidth_ : bounds().size.width;
    return measure(width);
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    return measure(size.width);
}

void UILabel::drawRect(const CGRect& rect) {
    drawTextInRect(rect);
}

void UILabel::drawTextInRect(const CGRect& rect) {
    CGContext* context = UIGraphics::currentContext();
    NSAttributedString text = displayedText();
    if (!context || text.empty() || rect.size.width <= 0) {
        return;
    }
    TextLayout::Options options;
    options.width = rect.size.width;
    options.numberOfLines = numberOfLines_;
    options.alignment = alignment_;
    options.lineBreakMode = effectiveLineBreakMode();
    TextLayout layout(text, options);
    CGFloat height = layout.size().height;
    CGFloat y = rect.origin.y + std::max<CGFloat>(0, (rect.size.height - height) / 2);
    layout.draw(*context, {rect.origin.x, y}, rect.origin.y + rect.size.height - y);
}
