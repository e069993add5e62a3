#pragma once

#include <functional>

enum class UIUserInterfaceStyle { unspecified = 0, light = 1, dark = 2 };

// The appearance that dynamic colours resolve against. The current collection is app-wide
// (setCurrentTraitCollection); performAsCurrent overrides it on this thread for one call.
class UITraitCollection {
  public:
    UITraitCollection() = default;
    explicit UITraitCollection(UIUserInterfaceStyle style) : style_(style) {}
    static UITraitCollection traitCollectionWithUserInterfaceStyle(UIUserInterfaceStyle style) {
        return UITraitCollection(style);
    }

    UIUserInterfaceStyle userInterfaceStyle() const { return style_; }
    // Unspecified counts as light.
    bool isDark() const { return style_ == UIUserInterfaceStyle::dark; }

    static UITraitCollection currentTraitCollection();
    static void setCurrentTraitCollection(const UITraitCollection& traits);
    void performAsCurrentTraitCollection(const std::function<void()>& actions) const;

    bool operator==(const UITraitCollection&) const = default;

  private:
    UIUserInterfaceStyle style_ = UIUserInterfaceStyle::unspecified;
};
