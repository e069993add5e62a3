#pragma once

#include "platform/uikit/UIResponder.h"

// One instance of the app's user interface, connected to the application.
class UIScene : public UIResponder {
  public:
    UIScene() = default;
};
