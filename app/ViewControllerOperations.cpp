#include "app/ViewControllerOperations.h"

#include "app/ColorManager.h"
#include "app/ViewManager.h"
#include "engine/LocalizedString.h"
#include "platform/graphics/UIFont.h"
#include "platform/material/FlatButton.h"
#include "platform/material/TabItem.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIWindow.h"

namespace {

// The controller while its view is in a window, else the window's root: an alert that comes after
// its screen has gone is still seen.
std::shared_ptr<UIViewController> onScreen(UIViewController& controller) {
    if (auto view = controller.viewIfLoaded(); view && view->window())
        return controller.sharedAs<UIViewController>();
    return ViewManager::keyWindowRoot();
}

} // namespace

std::shared_ptr<UIAlertController> presentAlert(UIViewController& controller,
                                                std::optional<std::string> title,
                                                std::optional<std::string> message,
                                                const std::vector<std::shared_ptr<UIAlertAction>>& actions,
                                                UIAlertControllerStyle style) {
    auto alert = UIAlertController::alertControllerWithTitle(std::move(title), std::move(message), style);
    for (const auto& action : actions)
        alert->addAction(action);
    if (actions.empty())
        alert->addAction(
            UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::defaultStyle, [](const auto&) {}));
    if (auto presenter = onScreen(controller))
        presenter->presentViewController(alert, true);
    return alert;
}

void openLink(const URL& url, const std::shared_ptr<UIViewController>& controller,
              std::function<void(bool opened)> completion) {
    std::weak_ptr<UIViewController> weakController = controller;
    UIApplication::sharedApplication()->openURL(url, {}, [weakController, completion](bool opened) {
        if (!opened) {
            auto presenter = weakController.lock();
            if (!presenter)
                presenter = ViewManager::keyWindowRoot();
            if (presenter)
                presentPageUnavailable(*presenter);
        }
        if (completion)
            completion(opened);
    });
}

void presentPageUnavailable(UIViewController& controller) {
    presentAlert(controller,
                 LocalizedString::localized("pageUnavailable", "Alert title: a link could not be opened"),
                 std::nullopt, {}, UIAlertControllerStyle::alert);
}

std::shared_ptr<FlatButton> findButton(const std::string& title, const UIView& view) {
    for (const auto& subview : view.subviews()) {
        if (subview->isMemberOfClass<UIStackView>()) {
            if (auto found = findButton(title, *subview))
                return found;
        } else if (subview->isMemberOfClass<FlatButton>()) {
            auto button = std::static_pointer_cast<FlatButton>(subview);
            if (button->titleLabel() && button->titleLabel()->text() == title)
                return button;
        }
    }
    return nullptr;
}

void configureTabItem(const UIViewController& controller, const std::string& title, bool enabled) {
    auto item = tabItem(controller);
    item->setTitle(title);
    if (item->titleLabel()) {
        if (auto font = UIFont::fontWithName("Avenir-Medium", 14))
            item->titleLabel()->setFont(*font);
    }
    item->setEnabled(enabled);
    item->setTitleColor(enabled ? ColorManager::buttonWhite() : ColorManager::shadowGrey());
}
