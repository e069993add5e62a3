#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"
#include "platform/uikit/UIView.h"

#include <functional>
#include <memory>

class UIButton;

// The look of an introduction. A button styling runs once on its button, after the button got the
// tint as its title colour; the button keeps that look on every page.
struct AppearanceConfiguration {
    using ButtonStyling = std::function<void(const std::shared_ptr<UIButton>&)>;

    UIColor tintColor = UIColor::systemBlueColor();
    UIColor titleColor = UIColor::labelColor();
    UIColor textColor = UIColor::labelColor();
    UIColor backgroundColor = UIColor::systemBackgroundColor();
    UIViewContentMode imageContentMode = UIViewContentMode::center;
    UIFont titleFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::title1);
    UIFont textFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::body);
    ButtonStyling advanceButtonStyling;
    ButtonStyling actionButtonStyling;
};
