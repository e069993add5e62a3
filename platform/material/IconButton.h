#pragma once

#include "platform/material/Button.h"

// A small square button for a toolbar: an icon in the button's tint, or a short title.
class IconButton : public Button {
  public:
    IconButton();
    explicit IconButton(const NSCoder& coder);
    IconButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor = std::nullopt);
    IconButton(const std::string& title, std::optional<UIColor> titleColor = std::nullopt);

    // At least as wide as it is high, so that an icon gets a square touch area.
    CGSize intrinsicContentSize() const override;

  private:
    void prepare();
};
