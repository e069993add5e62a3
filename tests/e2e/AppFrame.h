#pragma once

#include "app/AppNavigationDrawerController.h"
#include "app/AppPageTabBarController.h"
#include "app/AppToolbarController.h"
#include "app/CalculateViewController.h"
#include "app/MenuToolbarController.h"
#include "app/SolutionViewController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UIWindow.h"

#include <memory>
#include <vector>

// The app's frame as start-up builds it: the drawer over the toolbar over the input and result pages,
// in a visible window the size of the screen. Needs the bundle and the interface builders.
struct AppFrame {
    AppFrame() {
        input = std::dynamic_pointer_cast<CalculateViewController>(
            UIStoryboard::storyboardWithName("Main")->instantiateViewControllerWithIdentifier(
                "CalculateViewController"));
        result = std::dynamic_pointer_cast<SolutionViewController>(
            UIStoryboard::storyboardWithName("SolutionViewController")
                ->instantiateViewControllerWithIdentifier("SolutionViewController"));
        if (!input || !result)
            return;
        tabs = std::make_shared<AppPageTabBarController>(
            std::vector<std::shared_ptr<UIViewController>>{input, result}, 0);
        toolbar = std::make_shared<AppToolbarController>(tabs);
        auto menu = std::make_shared<MenuToolbarController>(std::make_shared<UIViewController>());
        drawer = std::make_shared<AppNavigationDrawerController>(toolbar, menu);
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
