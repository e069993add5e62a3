#include "platform/kits/DTTextField.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

namespace {

constexpr CGFloat errorGap = 2;
constexpr CGFloat errorFontSize = 12;

} // namespace

DTTextField::DTTextField() : UITextField() {
    prepare();
}

DTTextField::DTTextField(const CGRect& frame) : UITextField(frame) {
    prepare();
}

DTTextField::DTTextField(const NSCoder& coder) : UITextField(coder) {
    prepare();
}

void DTTextField::prepare() {
    setBorderStyle(UITextBorderStyle::none);
    backgroundLayer_->setBackgroundColor(UIColor::systemBackgroundColor());
    backgroundLayer_->setCornerRadius(4);
    backgroundLayer_->setBorderWidth(1);
    errorLabel_->setFont(UIFont::systemFontOfSize(errorFontSize));
    errorLabel_->setTextColor(errorTextColor_);
    errorLabel_->setHidden(true);
    addSubview(errorLabel_);
    showEdge();
}

void DTTextField::setBorderColor(UIColor color) {
    borderColor_ = std::move(color);
    showEdge();
}

void DTTextField::setErrorTextColor(UIColor color) {
    errorTextColor_ = std::move(color);
    errorLabel_->setTextColor(errorTextColor_);
    showEdge();
}

void DTTextField::showEdge() {
    backgroundLayer_->setBorderColor(errorShown_ ? errorTextColor_ : borderColor_);
    setNeedsDisplay();
}

void DTTextField::showError(std::optional<std::string> message) {
    if (message) {
        errorMessage_ = std::move(*message);
    }
    errorShown_ = true;
    errorLabel_->setText(errorMessage_);
    errorLabel_->setHidden(errorMessage_.empty());
    showEdge();
    setNeedsLayout();
}

void DTTextField::hideError() {
    errorShown_ = false;
    errorLabel_->setHidden(true);
    showEdge();
}

void DTTextField::layoutSubviews() {
    UITextField::layoutSubviews();
    CGRect b = bounds();
    backgroundLayer_->setFrame(b);
    // The message hangs below the field so that it never covers the text.
    CGFloat height = errorLabel_->font().lineHeight();
    errorLabel_->setFrame({b.minX(), b.maxY() + errorGap, b.width(), height});
}

void DTTextField::drawRect(const CGRect& rect) {
    if (CGContext* context = UIGraphics::currentContext()) {
        backgroundLayer_->setFrame(bounds());
        context->saveGState();
        backgroundLayer_->renderInContext(*context);
        context->restoreGState();
    }
    UITextField::drawRect(rect);
}
