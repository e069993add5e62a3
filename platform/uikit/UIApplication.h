#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/URL.h"
#include "platform/uikit/UIResponder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class UIApplicationDelegate;
class UIScene;
class UIWindow;
class UIWindowScene;

enum class UIApplicationState { active, inactive, background };

inline const char* const UIApplicationDidBecomeActiveNotification =
    "UIApplicationDidBecomeActiveNotification";
inline const char* const UIApplicationWillResignActiveNotification =
    "UIApplicationWillResignActiveNotification";
inline const char* const UIApplicationDidEnterBackgroundNotification =
    "UIApplicationDidEnterBackgroundNotification";
inline const char* const UIApplicationWillEnterForegroundNotification =
    "UIApplicationWillEnterForegroundNotification";
inline const char* const UIApplicationWillTerminateNotification = "UIApplicationWillTerminateNotification";

// The running app: its delegate, its one window scene and the life-cycle states a host moves it
// through (each step tells the delegate, then posts its notification on the default centre). Links open only
// for http and https: the opener program is started with the link as its single argument, never
// through a shell.
class UIApplication : public UIResponder {
  public:
    // Receives the link text; true when an opener was started.
    using LinkOpener = std::function<bool(const std::string& link)>;

    static std::shared_ptr<UIApplication> sharedApplication();

    std::shared_ptr<UIApplicationDelegate> delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<UIApplicationDelegate> delegate) { delegate_ = std::move(delegate); }
    UIApplicationState applicationState() const { return state_; }

    std::vector<std::shared_ptr<UIScene>> connectedScenes() const;
    std::shared_ptr<UIWindowScene> mainWindowScene() const { return scene_; }
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    std::shared_ptr<UIWindow> keyWindow() const;

    // Life cycle.
    bool finishLaunching(const AnyValue::Dictionary& launchOptions = {});
    // Takes the steps from the current state to the given one, each once and in the platform's order:
    // will resign active, did enter background; will enter foreground, did become active. Nothing when
    // the application is in that state already.
    void moveToState(UIApplicationState state);
    void terminate();

    bool canOpenURL(const URL& url) const { return url.isHTTP(); }
    // Refused links complete with false. The completion runs on the main queue.
    void openURL(const URL& url, const AnyValue::Dictionary& options = {},
                 std::function<void(bool)> completion = {});
    // Replaces how links are opened; an empty function restores the opener program.
    void setLinkOpener(LinkOpener opener) { opener_ = std::move(opener); }
    // $OMBREL_LINK_OPENER when set, else xdg-open.
    static std::string linkOpenerProgram();
    // Seconds of the run-loop clock after which an opener still running counts as having opened the
    // link (some desktops keep it until the browser closes).
    static constexpr double openerGracePeriod = 3;
    // Starts program with the link as its only argument and waits for it off the main thread. The
    // completion (main queue) hears true when it exits with status 0 or is still running after the
    // grace period, false when it cannot start or exits with another status before.
    static void openLinkWithProgram(const std::string& program, const std::string& link,
                                    std::function<void(bool)> completion);

    UIApplication();

  private:
    void becomeActive();
    void resignActive();
    void enterBackground();
    void enterForeground();
    // Tells the delegate, then posts the notification.
    void tell(void (UIApplicationDelegate::*call)(const std::shared_ptr<UIApplication>&),
              const char* notification);

    std::shared_ptr<UIApplicationDelegate> delegate_;
    std::shared_ptr<UIWindowScene> scene_;
    UIApplicationState state_ = UIApplicationState::inactive;
    LinkOpener opener_;
};
