#include "platform/uikit/UIApplication.h"

#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/uikit/UIApplicationDelegate.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UIWindowScene.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

UIApplication::UIApplication() : scene_(std::make_shared<UIWindowScene>()) {}

std::shared_ptr<UIApplication> UIApplication::sharedApplication() {
    static auto application = std::make_shared<UIApplication>();
    return application;
}

std::vector<std::shared_ptr<UIScene>> UIApplication::connectedScenes() const {
    return {scene_};
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
    return scene_->windows();
}

std::shared_ptr<UIWindow> UIApplication::keyWindow() const {
    return scene_->keyWindow();
}

bool UIApplication::finishLaunching(const AnyValue::Dictionary& launchOptions) {
    state_ = UIApplicationState::inactive;
    auto self = std::static_pointer_cast<UIApplication>(shared_from_this());
    return delegate_ ? delegate_->applicationDidFinishLaunchingWithOptions(self, launchOptions) : true;
}

void UIApplication::tell(void (UIApplicationDelegate::*call)(const std::shared_ptr<UIApplication>&),
                         const char* notification) {
    if (delegate_) {
        ((*delegate_).*call)(std::static_pointer_cast<UIApplication>(shared_from_this()));
    }
    NotificationCenter::defaultCenter()->postNotificationName(notification, shared_from_this());
}

void UIApplication::moveToState(UIApplicationState state) {
    if (state == state_) {
        return;
    }
    if (state_ == UIApplicationState::active) {
        resignActive();
    }
    if (state == UIApplicationState::background) {
        enterBackground();
        return;
    }
    if (state_ == UIApplicationState::background) {
        enterForeground();
    }
    if (state == UIApplicationState::active) {
        becomeActive();
    }
}

void UIApplication::becomeActive() {
    state_ = UIApplicationState::active;
    tell(&UIApplicationDelegate::applicationDidBecomeActive, UIApplicationDidBecomeActiveNotification);
}

void UIApplication::resignActive() {
    tell(&UIApplicationDelegate::applicationWillResignActive, UIApplicationWillResignActiveNotification);
    state_ = UIApplicationState::inactive;
}

void UIApplication::enterBackground() {
    state_ = UIApplicationState::background;
    tell(&UIApplicationDelegate::applicationDidEnterBackground, UIApplicationDidEnterBackgroundNotification);
}

void UIApplication::enterForeground() {
    tell(&UIApplicationDelegate::applicationWillEnterForeground,
         UIApplicationWillEnterForegroundNotification);
    state_ = UIApplicationState::inactive;
}

void UIApplication::terminate() {
    tell(&UIApplicationDelegate::applicationWillTerminate, UIApplicationWillTerminateNotification);
}

void UIApplication::openURL(const URL& url, const AnyValue::Dictionary&,
                            std::function<void(bool)> completion) {
    bool opened = false;
    if (canOpenURL(url)) {
        opened =
            opener_ ? opener_(url.absoluteString()) : openLinkWithProgram("xdg-open", url.absoluteString());
    } else {
        DebugConsole::notice("Cannot open link with scheme \"" + url.scheme() + "\"");
    }
    if (completion) {
        DispatchQueue::main()->async([completion, opened] { completion(opened); });
    }
}

bool UIApplication::openLinkWithProgram(const std::string& program, const std::string& link) {
    std::string programArgument = program;
    std::string linkArgument = link;
    char* argv[] = {programArgument.data(), linkArgument.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        DebugConsole::notice("Could not start " + program);
        return false;
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}
