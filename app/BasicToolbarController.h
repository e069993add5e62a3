#pragma once

#include "platform/material/ToolbarController.h"

// Gives every toolbar of the app its look: flat, violet, white left-aligned titles.
class BasicToolbarController : public ToolbarController {
  public:
    using ToolbarController::ToolbarController;

    void prepare() override;
};
