#include "app/AppToolbarController.h"

#include "app/AppFlags.h"
#include "app/AppPageTabBarController.h"
#include "app/ColorManager.h"
#include "engine/KivoColor.h"
#include "platform/material/Icon.h"
#include "platform/material/IconButton.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/veraziva/VAVAnalytics.h"

AppToolbarController::AppToolbarController(std::shared_ptr<AppPageTabBarController> pages)
    : BasicToolbarController(pages), pages_(std::move(pages)) {}

void AppToolbarController::prepare() {
    BasicToolbarController::prepare();
    menuButton = std::make_shared<IconButton>(Icon::menu(), ColorManager::buttonWhite());
    menuButton->setAccessibilityIdentifier("menuButton");
    menuButton->addTarget(sharedAs<AppToolbarController>(), &AppToolbarController::handleMenuButton,
                          UIControlEventTouchUpInside);
    setStatusBarStyle(StatusBarStyle::lightContent);
    statusBar()->setBackgroundColor(KivoColor::paletteDarkBlue());
    toolbar()->setLeftViews({menuButton});
    toolbar()->titleLabel()->setAdjustsFontSizeToFitWidth(true);
}

void AppToolbarController::handleMenuButton() {
    VAVAnalytics::logEventWithNameParameters("tapped_menu_button", std::nullopt);
    if (isCalculationRunning)
        return;
    if (auto drawer = navigationDrawerController(*this))
        drawer->toggleLeftView(0);
}

void AppToolbarController::showInputPage(std::function<void(bool)> completion) {
    if (pages_)
        pages_->select(0);
    transition(pages_, std::move(completion));
}
