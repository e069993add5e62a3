#pragma once

#include "app/BasicToolbarController.h"

// The toolbar over the side menu: the app title, no status-bar view, 90 points high.
class MenuToolbarController : public BasicToolbarController {
  public:
    static constexpr CGFloat toolbarHeight = 90;

    using BasicToolbarController::BasicToolbarController;

    void prepare() override;
};
