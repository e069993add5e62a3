#pragma once

#include <functional>
#include <optional>
#include <string>

// One card of an introduction: an image, a title with an optional subtitle, a description, the
// button that goes on, and an optional second button that runs an action.
struct OnboardPage {
    std::string title;
    std::string imageName;
    std::string subtitle;
    std::string description;
    std::string advanceButtonTitle;
    std::optional<std::string> actionButtonTitle;
    std::function<void()> action;
};
