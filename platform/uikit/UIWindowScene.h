#pragma once

#include "platform/uikit/UIScene.h"

#include <memory>
#include <vector>

class UIScreen;
class UIWindow;

// The scene that shows windows on the main screen. Windows join it when they are created and
// leave it when they are destroyed; it does not keep them alive.
class UIWindowScene : public UIScene {
  public:
    // Windows in the order they were created.
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    std::shared_ptr<UIWindow> keyWindow() const;
    std::shared_ptr<UIScreen> screen() const;

  private:
    friend class UIWindow;
    void windowCreated(UIWindow* window);
    void windowDestroyed(UIWindow* window);
    void setKeyWindow(UIWindow* window) { key_ = window; }

    std::vector<UIWindow*> windows_;
    UIWindow* key_ = nullptr;
};
