#pragma once

#include "platform/material/Button.h"

// A button without a surface of its own: title and image lie directly on what is behind it.
class FlatButton : public Button {
  public:
    FlatButton();
    explicit FlatButton(const CGRect& frame);
    explicit FlatButton(const NSCoder& coder);
    FlatButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor = std::nullopt);
    FlatButton(const std::string& title, std::optional<UIColor> titleColor = std::nullopt);

  private:
    void prepare();
};
