#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>
#include <optional>
#include <string>

class UILabel;
class UIView;
class UIViewController;
class UIWindow;

// View operations that several screens share. Main thread only, except the two wrappers that
// hop there.
class ViewManager {
  public:
    static constexpr int loadingOverlayTag = 8989;
    static constexpr int toastTag = 8990;
    static constexpr double toastDuration = 3.0;
    static constexpr double toastFadeDuration = 2.0;

    static std::shared_ptr<UIWindow> keyWindow();
    // The key window's root controller, or nothing without a window.
    static std::shared_ptr<UIViewController> keyWindowRoot();
    static CGFloat bottomSafeAreaInset();
    static void showLoadingOverlay();
    static void removeLoadingOverlay();
    static void showLoadingOverlayOnMain();
    static void removeLoadingOverlayOnMain();
    // The label shown, or nothing when there is no root view to show it on.
    static std::shared_ptr<UILabel> showToast(const std::string& message);
    static void removeToasts();
    static void fadeOutAndRemove(const std::shared_ptr<UIView>& view);
    static void applyContentModeRecursively(UIView& view);
};
