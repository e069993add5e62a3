#pragma once

#include "platform/uikit/UIButton.h"

#include <memory>
#include <optional>
#include <string>

// Common ground of the toolkit's buttons: made from an image and a tint, or from a title and its
// colour, and an image property that stands for every state. Template images take the tint.
class Button : public UIButton {
  public:
    Button();
    explicit Button(const CGRect& frame);
    explicit Button(const NSCoder& coder);
    Button(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor = std::nullopt);
    Button(const std::string& title, std::optional<UIColor> titleColor = std::nullopt);

    using UIButton::setImage;
    using UIButton::setTitle;
    using UIButton::setTitleColor;
    std::shared_ptr<UIImage> image() const { return imageForState(UIControlStateNormal); }
    void setImage(std::shared_ptr<UIImage> image) { setImage(std::move(image), UIControlStateNormal); }
    std::optional<std::string> title() const { return titleForState(UIControlStateNormal); }
    void setTitle(std::optional<std::string> title) { setTitle(std::move(title), UIControlStateNormal); }
    void setTitleColor(std::optional<UIColor> color) {
        setTitleColor(std::move(color), UIControlStateNormal);
    }
};
