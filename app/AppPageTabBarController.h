#pragma once

#include "platform/material/TabsController.h"

// The two pages, input and result, under a tab bar at the top.
class AppPageTabBarController : public TabsController, public TabsControllerDelegate {
  public:
    using TabsController::TabsController;

    void prepare() override;
};
