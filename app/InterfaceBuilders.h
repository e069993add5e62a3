#pragma once

// Registers the app's storyboard scenes and nibs with the platform; start-up calls it once before
// the first screen is made (further calls change nothing).
class InterfaceBuilders {
  public:
    static void registerAll();
};
