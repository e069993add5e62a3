#include "platform/uikit/UIApplication.h"

#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/uikit/UIApplicationDelegate.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UIWindowScene.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>
#include <utility>

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
    auto report = [completion](bool opened) {
        if (completion) {
            DispatchQueue::main()->async([completion, opened] { completion(opened); });
        }
    };
    if (!canOpenURL(url)) {
        DebugConsole::notice("Cannot open link with scheme \"" + url.scheme() + "\"");
        report(false);
    } else if (opener_) {
        report(opener_(url.absoluteString()));
    } else {
        openLinkWithProgram(linkOpenerProgram(), url.absoluteString(), completion);
    }
}

std::string UIApplication::linkOpenerProgram() {
    const char* program = std::getenv("OMBREL_LINK_OPENER");
    return program && *program ? program : "xdg-open";
}

void UIApplication::openLinkWithProgram(const std::string& program, const std::string& link,
                                        std::function<void(bool)> completion) {
    std::string programArgument = program;
    std::string linkArgument = link;
    char* argv[] = {programArgument.data(), linkArgument.data(), nullptr};
    pid_t pid = 0;
    auto queue = DispatchQueue::main();
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        DebugConsole::notice("Could not start " + program);
        if (completion) {
            queue->async([completion] { completion(false); });
        }
        return;
    }
    // Whichever comes first on the main queue, the exit or the end of the grace period, decides. The
    // completion is dropped there too, so that what it holds is released on the main thread.
    struct Outcome {
        std::function<void(bool)> completion;
        bool decided = false;
        void decide(bool opened) {
            decided = true;
            if (auto pending = std::exchange(completion, nullptr)) {
                pending(opened);
            }
        }
    };
    auto outcome = std::make_shared<Outcome>(Outcome{std::move(completion), false});
    queue->asyncAfter(openerGracePeriod, [outcome] { outcome->decide(true); });
    std::thread([pid, program, queue, outcome]() mutable {
        int status = 0;
        if (waitpid(pid, &status, 0) != pid) {
            return;
        }
        queue->async([program, status, outcome = std::move(outcome)] {
            bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (outcome->decided) {
                return;
            }
            if (!succeeded) {
                DebugConsole::notice(program + " could not open the link");
            }
            outcome->decide(succeeded);
        });
    }).detach();
}
