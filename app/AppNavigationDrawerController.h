#pragma once

#include "platform/material/NavigationDrawerController.h"

// The window's root: the pages on the main side, the side menu on the left.
class AppNavigationDrawerController : public NavigationDrawerController,
                                      public NavigationDrawerControllerDelegate {
  public:
    using NavigationDrawerController::NavigationDrawerController;

    void prepare() override;
};
