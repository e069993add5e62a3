#pragma once

#include "app/BasicToolbarController.h"

#include <functional>
#include <memory>

class AppPageTabBarController;
class IconButton;

// The toolbar over the two pages, with the menu button that opens the side menu. It keeps the
// pages while another screen (the history) takes their place, so that they come back as they were.
class AppToolbarController : public BasicToolbarController {
  public:
    using BasicToolbarController::BasicToolbarController;
    explicit AppToolbarController(std::shared_ptr<AppPageTabBarController> pages);

    std::shared_ptr<IconButton> menuButton;

    void prepare() override;
    void handleMenuButton();
    // Shows the input page again, in place of whatever screen took the pages' place.
    void showInputPage(std::function<void(bool)> completion);

  private:
    std::shared_ptr<AppPageTabBarController> pages_;
};
