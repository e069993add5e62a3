#include "platform/uikit/UITextField.h"

#include "platform/foundation/Utf8.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>

namespace {

// Inner margin of a bordered field.
constexpr CGFloat borderedInset = 7;
constexpr CGFloat caretWidth = 2;
// Below the advance of any spacing glyph of a text font, as a share of its size.
constexpr CGFloat narrowestAdvance = 0.1;

} // namespace

UITextField::UITextField() : UITextField(CGRect{}) {}

UITextField::UITextField(const NSCoder&) : UITextField(CGRect{}) {}

UITextField::UITextField(const CGRect& frame)
    : UIControl(frame), font_(UIFont::systemFontOfSize(17)), textColor_(UIColor::labelColor()) {}

std::shared_ptr<UITextField> UITextField::self() {
    return std::static_pointer_cast<UITextField>(shared_from_this());
}

int UITextField::length() const {
    return utf8CharacterCount(text_);
}

UITextPosition UITextField::endOfDocument() const {
    return {length()};
}

void UITextField::setText(std::string text) {
    text_ = std::move(text);
    if (isEditing()) {
        selection_ = UITextRange{endOfDocument(), endOfDocument()};
    }
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void UITextField::setPlaceholder(std::string placeholder) {
    placeholder_ = std::move(placeholder);
    setNeedsDisplay();
}

void UITextField::setFont(UIFont font) {
    font_ = std::move(font);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void UITextField::setTextColor(UIColor color) {
    textColor_ = std::move(color);
    setNeedsDisplay();
}

void UITextField::setTextAlignment(NSTextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void UITextField::setBorderStyle(UITextBorderStyle style) {
    borderStyle_ = style;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

bool UITextField::showsSystemKeyboard() const {
    return isEditing() && !inputView_;
}

bool UITextField::showsShortcutBar() const {
    return isEditing() && !assistant_->isEmpty();
}

// First responder.

bool UITextField::isFirstResponder() const {
    auto window = this->window();
    return window && window->firstResponder().get() == this;
}

bool UITextField::becomeFirstResponder() {
    if (isFirstResponder()) {
        return true;
    }
    auto window = this->window();
    if (!window || !isEnabled()) {
        return false;
    }
    auto me = self();
    if (auto delegate = this->delegate(); delegate && !delegate->textFieldShouldBeginEditing(me)) {
        return false;
    }
    if (auto current = window->firstResponder(); current && !current->resignFirstResponder()) {
        return false;
    }
    window->setFirstResponder(me);
    selection_ = UITextRange{endOfDocument(), endOfDocument()};
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    if (auto delegate = this->delegate()) {
        delegate->textFieldDidBeginEditing(me);
    }
    return true;
}

bool UITextField::resignFirstResponder() {
    if (!isFirstResponder()) {
        return true;
    }
    auto me = self();
    if (auto delegate = this->delegate(); delegate && !delegate->textFieldShouldEndEditing(me)) {
        return false;
    }
    window()->setFirstResponder(nullptr);
    selection_.reset();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    if (auto delegate = this->delegate()) {
        delegate->textFieldDidEndEditing(me);
    }
    return true;
}

// Selection.

void UITextField::setSelectedTextRange(std::optional<UITextRange> range) {
    if (!isEditing()) {
        return;
    }
    if (range) {
        int end = length();
        int a = std::clamp(range->start.offset, 0, end);
        int b = std::clamp(range->end.offset, 0, end);
        range = UITextRange{{std::min(a, b)}, {std::max(a, b)}};
    }
    selection_ = range;
    setNeedsDisplay();
}

std::optional<UITextPosition> UITextField::positionFromPosition(UITextPosition position, int offset) const {
    int result = position.offset + offset;
    if (result < 0 || result > length()) {
        return std::nullopt;
    }
    return UITextPosition{result};
}

std::optional<UITextRange> UITextField::textRangeFromPosition(UITextPosition from, UITextPosition to) const {
    int end = length();
    if (from.offset < 0 || to.offset < 0 || from.offset > end || to.offset > end) {
        return std::nullopt;
    }
    return UITextRange{std::min(from, to), std::max(from, to)};
}

std::string UITextField::textInRange(const UITextRange& range) const {
    std::size_t from = utf8ByteIndex(text_, range.start.offset);
    std::size_t to = utf8ByteIndex(text_, range.end.offset);
    return to > from ? text_.substr(from, to - from) : std::string();
}

void UITextField::replaceRange(const UITextRange& range, const std::string& text) {
    std::size_t from = utf8ByteIndex(text_, range.start.offset);
    std::size_t to = std::max(from, utf8ByteIndex(text_, range.end.offset));
    text_.replace(from, to - from, text);
    if (isEditing()) {
        UITextPosition caret{range.start.offset + utf8CharacterCount(text)};
        selection_ = UITextRange{caret, caret};
    }
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

// Keyboard input.

bool UITextField::replaceSelectionFromKeyboard(NSRange range, const std::string& replacement) {
    if (!isEditing()) {
        return false;
    }
    if (auto delegate = this->delegate();
        delegate &&
        !delegate->textFieldShouldChangeCharactersInRangeReplacementString(self(), range, replacement)) {
        return false;
    }
    replaceRange(UITextRange{{range.location}, {range.end()}}, replacement);
    sendActionsForControlEvents(UIControlEventEditingChanged);
    return true;
}

void UITextField::insertText(const std::string& text) {
    if (!selection_) {
        return;
    }
    replaceSelectionFromKeyboard(
        {selection_->start.offset, selection_->end.offset - selection_->start.offset}, text);
}

void UITextField::deleteBackward() {
    if (!selection_) {
        return;
    }
    NSRange range{selection_->start.offset, selection_->end.offset - selection_->start.offset};
    if (range.length == 0) {
        if (range.location == 0) {
            return;
        }
        range = {range.location - 1, 1};
    }
    replaceSelectionFromKeyboard(range, "");
}

// Geometry and drawing.

CGRect UITextField::textRectForBounds(const CGRect& bounds) const {
    CGFloat inset = borderStyle_ == UITextBorderStyle::none ? 0 : borderedInset;
    return bounds.insetBy(inset, 0);
}

CGFloat UITextField::textWidth(const std::string& text) const {
    if (text.empty()) {
        return 0;
    }
    NSStringAttributes attributes;
    attributes.font = font_;
    return NSAttributedString(text, attributes).size().width;
}

std::string UITextField::laidOutText() const {
    CGFloat width = std::max<CGFloat>(0, textRectForBounds(bounds()).size.width);
    auto fits = static_cast<int>(std::ceil(width / (font_.pointSize() * narrowestAdvance)));
    return text_.substr(0, utf8ByteIndex(text_, fits + 1));
}

CGFloat UITextField::textOriginX(const CGRect& textRect, CGFloat width) const {
    // Text wider than the field starts at its leading edge.
    if (width > textRect.size.width) {
        return textRect.origin.x;
    }
    switch (alignment_) {
    case NSTextAlignment::center:
        return textRect.midX() - width / 2;
    case NSTextAlignment::right:
        return textRect.origin.x + textRect.size.width - width;
    default:
        return textRect.origin.x;
    }
}

CGRect UITextField::caretRectForPosition(UITextPosition position) const {
    CGRect textRect = textRectForBounds(bounds());
    std::string shown = laidOutText();
    std::string prefix = shown.substr(0, utf8ByteIndex(shown, std::max(position.offset, 0)));
    CGFloat x = textOriginX(textRect, textWidth(shown)) + textWidth(prefix);
    CGFloat height = font_.lineHeight();
    return {x - caretWidth / 2, textRect.midY() - height / 2, caretWidth, height};
}

int UITextField::offsetNearestPoint(CGPoint point) const {
    std::string shown = laidOutText();
    CGFloat origin = textOriginX(textRectForBounds(bounds()), textWidth(shown));
    int best = 0;
    CGFloat bestDistance = std::abs(origin - point.x);
    for (int offset = 1, count = utf8CharacterCount(shown); offset <= count; ++offset) {
        CGFloat distance =
            std::abs(origin + textWidth(shown.substr(0, utf8ByteIndex(shown, offset))) - point.x);
        if (distance < bestDistance) {
            best = offset;
            bestDistance = distance;
        }
    }
    return best;
}

CGSize UITextField::intrinsicContentSize() const {
    CGFloat height = std::ceil(font_.lineHeight());
    if (borderStyle_ != UITextBorderStyle::none) {
        height += 2 * borderedInset;
    }
    return {UIViewNoIntrinsicMetric, height};
}

void UITextField::drawRect(const CGRect&) {
    CGContext* context = UIGraphics::currentContext();
    if (!context) {
        return;
    }
    CGRect b = bounds();
    if (borderStyle_ == UITextBorderStyle::roundedRect) {
        context->beginPath();
        context->addPath(CGPath::withRoundedRect(b.insetBy(0.25, 0.25), 5));
        context->setFillColor(UIColor::systemBackgroundColor());
        context->fillPath();
        context->beginPath();
        context->addPath(CGPath::withRoundedRect(b.insetBy(0.25, 0.25), 5));
        context->setStrokeColor(UIColor::systemGray4Color());
        context->setLineWidth(0.5);
        context->strokePath();
    } else if (borderStyle_ == UITextBorderStyle::line || borderStyle_ == UITextBorderStyle::bezel) {
        context->setStrokeColor(UIColor::labelColor());
        context->setLineWidth(1);
        context->strokeRect(b.insetBy(0.5, 0.5));
    }
    CGRect textRect = textRectForBounds(b);
    if (selection_ && !selection_->isEmpty()) {
        CGRect from = caretRectForPosition(selection_->start);
        CGRect to = caretRectForPosition(selection_->end);
        context->setFillColor(tintColor().colorWithAlphaComponent(0.25));
        context->fillRect({from.midX(), from.origin.y, to.midX() - from.midX(), from.size.height});
    }
    bool showPlaceholder = text_.empty();
    NSStringAttributes attributes;
    attributes.font = font_;
    attributes.foregroundColor = showPlaceholder ? UIColor::placeholderTextColor() : textColor_;
    NSAttributedString shown(showPlaceholder ? placeholder_ : laidOutText(), attributes);
    if (!shown.empty()) {
        TextLayout layout(shown);
        CGSize size = layout.size();
        context->saveGState();
        context->clipToRect(textRect);
        layout.draw(*context, {textOriginX(textRect, size.width), textRect.midY() - size.height / 2});
        context->restoreGState();
    }
    if (selection_ && selection_->isEmpty()) {
        context->setFillColor(tintColor());
        context->fillRect(caretRectForPosition(selection_->start));
    }
}

void UITextField::touchesEnded(UITouch& touch) {
    bool tapped = isTracking() && bounds().contains(touch.locationInView(this));
    UIControl::touchesEnded(touch);
    if (!tapped) {
        return;
    }
    if (!isFirstResponder() && !becomeFirstResponder()) {
        return;
    }
    UITextPosition caret{offsetNearestPoint(touch.locationInView(this))};
    setSelectedTextRange(UITextRange{caret, caret});
}
