#include "platform/material/Button.h"

Button::Button() : Button(CGRect{}) {}

Button::Button(const CGRect& frame) : UIButton(UIButtonType::custom, frame) {}

Button::Button(const NSCoder&) : Button(CGRect{}) {}

Button::Button(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor) : Button(CGRect{}) {
    setTintColor(std::move(tintColor));
    setImage(std::move(image));
}

Button::Button(const std::string& title, std::optional<UIColor> titleColor) : Button(CGRect{}) {
    setTitle(title);
    setTitleColor(std::move(titleColor));
}
