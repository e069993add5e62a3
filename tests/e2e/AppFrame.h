#pragma once

#include "app/AppDelegate.h"
#include "app/AppNavigationDrawerController.h"
#include "app/AppPageTabBarController.h"
#include "app/AppToolbarController.h"
#include "app/CalculateViewController.h"
#include "app/LeftViewController.h"
#include "app/MenuToolbarController.h"
#include "app/SolutionViewController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <memory>

// The app's frame as start-up builds it from the app delegate's screens: the drawer with the side
// menu over the toolbar over the input and result pages, in a visible window the size of the screen.
// Needs the bundle and the interface builders.
struct AppFrame {
    AppFrame() {
        AppDelegate delegate;
        input = delegate.calculateViewController();
        result = delegate.solutionViewController();
        tabs = delegate.pageTabBarController();
        toolbar = delegate.appToolbarController();
        drawer = std::make_shared<AppNavigationDrawerController>(
            toolbar, std::make_shared<MenuToolbarController>(delegate.leftViewController()));
        window = std::make_shared<UIWindow>(UIScreen::mainScreen()->bounds());
        window->setRootViewController(drawer);
        window->makeKeyAndVisible();
    }

    std::shared_ptr<CalculateViewController> input;
    std::shared_ptr<SolutionViewController> result;
    std::shared_ptr<AppPageTabBarController> tabs;
    std::shared_ptr<AppToolbarController> toolbar;
    std::shared_ptr<AppNavigationDrawerController> drawer;
    std::shared_ptr<UIWindow> window;
};
