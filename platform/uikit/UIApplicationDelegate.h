#pragma once

#include "platform/foundation/AnyValue.h"

#include <memory>

class UIApplication;
class UIWindow;

// What the application tells its delegate about its life cycle. Every call has a default that
// does nothing (launching reports success).
class UIApplicationDelegate {
  public:
    virtual ~UIApplicationDelegate() = default;

    virtual bool applicationDidFinishLaunchingWithOptions(const std::shared_ptr<UIApplication>& application,
                                                          const AnyValue::Dictionary& launchOptions);
    virtual void applicationDidBecomeActive(const std::shared_ptr<UIApplication>&) {}
    virtual void applicationWillResignActive(const std::shared_ptr<UIApplication>&) {}
    virtual void applicationDidEnterBackground(const std::shared_ptr<UIApplication>&) {}
    virtual void applicationWillEnterForeground(const std::shared_ptr<UIApplication>&) {}
    virtual void applicationWillTerminate(const std::shared_ptr<UIApplication>&) {}

    // The app's main window, kept by the delegate.
    virtual std::shared_ptr<UIWindow> window() const { return nullptr; }
    virtual void setWindow(std::shared_ptr<UIWindow>) {}
};
