#pragma once

#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIPopoverPresentationControllerDelegate.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FlatButton;
class URL;
class UIView;
class UIViewController;

// Operations every screen of the app offers.

// Presents an alert animated, on the window's root when the controller has left the screen; an
// empty action list gives one "OK" button that does nothing.
std::shared_ptr<UIAlertController> presentAlert(UIViewController& controller,
                                                std::optional<std::string> title,
                                                std::optional<std::string> message,
                                                const std::vector<std::shared_ptr<UIAlertAction>>& actions,
                                                UIAlertControllerStyle style);

// Opens the link in the browser; when it cannot be opened, the controller (or, once it has gone, the
// window's root) shows "The page could not be opened." The completion hears whether it opened.
void openLink(const URL& url, const std::shared_ptr<UIViewController>& controller,
              std::function<void(bool opened)> completion = {});
// The alert of a page that could not be opened, with one "OK".
void presentPageUnavailable(UIViewController& controller);

// The first flat button with that title, depth first through nested stack views only.
std::shared_ptr<FlatButton> findButton(const std::string& title, const UIView& view);

// The page-tab item: title in "Avenir-Medium" 14, white 0.9 when enabled, system grey when not.
void configureTabItem(const UIViewController& controller, const std::string& title, bool enabled);

// A popover-presentation delegate that keeps popovers as popovers on compact screens.
class PopoverKeepingDelegate : public UIPopoverPresentationControllerDelegate {
  public:
    std::optional<UIModalPresentationStyle> adaptivePresentationStyleForPresentationControllerTraitCollection(
        const std::shared_ptr<UIPresentationController>&, const UITraitCollection&) override {
        return UIModalPresentationStyle::none;
    }
};
