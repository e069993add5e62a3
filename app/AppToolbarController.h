#pragma once

#include "app/BasicToolbarController.h"

#include <memory>

class IconButton;

// The toolbar over the two pages, with the menu button that opens the side menu.
class AppToolbarController : public BasicToolbarController {
  public:
    using BasicToolbarController::BasicToolbarController;

    std::shared_ptr<IconButton> menuButton;

    void prepare() override;
    void handleMenuButton();
};
