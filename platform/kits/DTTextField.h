#pragma once

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"

#include <memory>
#include <optional>
#include <string>

// A text field on a surface of its own: a background layer under the text, rounded and edged in
// the border colour. It can show an error: the edge turns to the error colour and the message
// appears under the field until the error is hidden.
class DTTextField : public UITextField {
  public:
    DTTextField();
    explicit DTTextField(const CGRect& frame);
    explicit DTTextField(const NSCoder& coder);

    // The surface under the text; it always covers the field's bounds.
    const std::shared_ptr<CALayer>& backgroundLayer() const { return backgroundLayer_; }
    const UIColor& borderColor() const { return borderColor_; }
    void setBorderColor(UIColor color);

    const std::string& errorMessage() const { return errorMessage_; }
    const UIColor& errorTextColor() const { return errorTextColor_; }
    void setErrorTextColor(UIColor color);
    const std::shared_ptr<UILabel>& errorLabel() const { return errorLabel_; }
    bool isErrorShown() const { return errorShown_; }
    // Shows the message, or the last one when none is given.
    void showError(std::optional<std::string> message = std::nullopt);
    void hideError();

    void layoutSubviews() override;
    void drawRect(const CGRect& rect) override;

  private:
    void prepare();
    void showEdge();

    std::shared_ptr<CALayer> backgroundLayer_ = CALayer::layer();
    std::shared_ptr<UILabel> errorLabel_ = std::make_shared<UILabel>();
    UIColor borderColor_ = UIColor::systemGray4Color();
    UIColor errorTextColor_ = UIColor::systemRedColor();
    std::string errorMessage_;
    bool errorShown_ = false;
};
