#pragma once

#include <string>

// One card of an introduction as the app lists it, before it becomes an onboarding page.
struct OnboardingPageRecord {
    std::string title;
    std::string imageName;
    std::string subtitle;
    std::string description;
};
