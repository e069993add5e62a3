#pragma once

#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/UIFont.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UITextFieldDelegate.h"
#include "platform/uikit/UITextInputAssistantItem.h"
#include "platform/uikit/UITextRange.h"

#include <memory>
#include <optional>
#include <string>

enum class UITextBorderStyle { none, line, bezel, roundedRect };

enum class UITextAutocorrectionType { defaultType, no, yes };

// One line of editable text. Editing starts when the field becomes first responder (a tap, or
// becomeFirstResponder), which needs a window and the delegate's consent. While editing, the
// selection is kept as character offsets; text typed or deleted replaces it. An input view
// stands in for the system keyboard, which is then not shown.
class UITextField : public UIControl {
  public:
    UITextField();
    explicit UITextField(const CGRect& frame);
    explicit UITextField(const NSCoder& coder);

    const std::string& text() const { return text_; }
    // While editing, the caret moves to the end.
    void setText(std::string text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder);
    const UIFont& font() const { return font_; }
    void setFont(UIFont font);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(UIColor color);
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment alignment);
    UITextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(UITextBorderStyle style);
    std::shared_ptr<UITextFieldDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UITextFieldDelegate> delegate) { delegate_ = std::move(delegate); }

    // Input.
    const std::shared_ptr<UIView>& inputView() const { return inputView_; }
    void setInputView(std::shared_ptr<UIView> view) { inputView_ = std::move(view); }
    UITextAutocorrectionType autocorrectionType() const { return autocorrection_; }
    void setAutocorrectionType(UITextAutocorrectionType type) { autocorrection_ = type; }
    const std::shared_ptr<UITextInputAssistantItem>& inputAssistantItem() const { return assistant_; }
    // While editing without an input view.
    bool showsSystemKeyboard() const;
    // While editing with shortcut groups.
    bool showsShortcutBar() const;

    // First responder.
    bool canBecomeFirstResponder() const override { return true; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    bool isFirstResponder() const override;
    bool isEditing() const { return isFirstResponder(); }

    // Selection and positions; offsets count characters (Unicode scalar values).
    std::optional<UITextRange> selectedTextRange() const { return selection_; }
    // Ignored while not editing; clamped to the text.
    void setSelectedTextRange(std::optional<UITextRange> range);
    UITextPosition beginningOfDocument() const { return {0}; }
    UITextPosition endOfDocument() const;
    // Nothing when the result lies outside the text.
    std::optional<UITextPosition> positionFromPosition(UITextPosition position, int offset) const;
    int offsetFromPosition(UITextPosition from, UITextPosition to) const { return to.offset - from.offset; }
    std::optional<UITextRange> textRangeFromPosition(UITextPosition from, UITextPosition to) const;
    std::string textInRange(const UITextRange& range) const;
    // The caret ends after the new text.
    void replaceRange(const UITextRange& range, const std::string& text);

    // Keyboard input (typed text, the delete key); each asks the delegate and sends editing changed.
    void insertText(const std::string& text);
    void deleteBackward();

    CGRect textRectForBounds(const CGRect& bounds) const;
    // The character offset whose caret lies nearest to a point in bounds space.
    int offsetNearestPoint(CGPoint point) const;
    // Where the caret at an offset is drawn, in bounds space.
    CGRect caretRectForPosition(UITextPosition position) const;
    // The leading part of the text that drawing and caret placement lay out: no more characters
    // than the text rectangle could hold, so that a long text costs what a short one does.
    std::string laidOutText() const;

    CGSize intrinsicContentSize() const override;
    void drawRect(const CGRect& rect) override;
    void touchesEnded(UITouch& touch) override;

  private:
    int length() const;
    std::shared_ptr<UITextField> self();
    bool replaceSelectionFromKeyboard(NSRange range, const std::string& replacement);
    CGFloat textWidth(const std::string& text) const;
    CGFloat textOriginX(const CGRect& textRect, CGFloat width) const;

    std::string text_;
    std::string placeholder_;
    UIFont font_;
    UIColor textColor_;
    NSTextAlignment alignment_ = NSTextAlignment::natural;
    UITextBorderStyle borderStyle_ = UITextBorderStyle::none;
    std::weak_ptr<UITextFieldDelegate> delegate_;
    std::shared_ptr<UIView> inputView_;
    UITextAutocorrectionType autocorrection_ = UITextAutocorrectionType::defaultType;
    std::shared_ptr<UITextInputAssistantItem> assistant_ = std::make_shared<UITextInputAssistantItem>();
    std::optional<UITextRange> selection_;
};
