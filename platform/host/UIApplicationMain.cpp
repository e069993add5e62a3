#include "platform/host/UIApplicationMain.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/host/AutomationChannel.h"
#include "platform/host/ClassRegistry.h"
#include "platform/host/HostOptions.h"
#include "platform/host/OffscreenHost.h"
#include "platform/host/WindowHost.h"
#include "platform/uikit/UIApplication.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace {

// SIGINT and SIGTERM end the app on the main thread like closing its window does.
void handleTerminationSignals(Host& host) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, &host] {
        int received = 0;
        if (sigwait(&signals, &received) == 0) {
            RunLoop::main()->perform([&host] {
                UIApplication::sharedApplication()->terminate();
                host.stop(0);
            });
        }
    }).detach();
}

std::string windowTitle() {
    auto name = Bundle::mainBundle()->objectForInfoDictionaryKey("CFBundleName").stringValue();
    return name ? *name : "Ombrel";
}

} // namespace

int UIApplicationMain(int argc, char** argv, const std::optional<std::string>& principalClassName,
                      const std::optional<std::string>& delegateClassName) {
    if (principalClassName && *principalClassName != "UIApplication") {
        DebugConsole::print("Unknown application class " + *principalClassName);
        return 1;
    }
    auto delegate = delegateClassName ? ClassRegistry::makeDelegate(*delegateClassName) : nullptr;
    if (!delegate) {
        DebugConsole::print("Unknown application delegate class " + delegateClassName.value_or("(none)"));
        return 1;
    }

    HostOptions options = HostOptions::fromArguments(argc, argv);
    if (options.manualClock) {
        Clock::setCurrent(std::make_shared<ManualClock>());
    }
    if (options.dark) {
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    }

    std::unique_ptr<Host> host;
    if (!options.offscreen) {
        host = WindowHost::open(windowTitle());
    }
    if (!host) {
        host = std::make_unique<OffscreenHost>();
        if (!options.automation) {
            DebugConsole::print("No display: Ombrel runs offscreen; Ctrl-C ends it.");
        }
    }
    handleTerminationSignals(*host);
    std::shared_ptr<AutomationChannel> automation;
    if (options.automation) {
        automation = std::make_shared<AutomationChannel>(*host);
        automation->start();
    }

    auto application = UIApplication::sharedApplication();
    application->setDelegate(std::move(delegate));
    application->finishLaunching();
    application->becomeActive();
    int status = host->run();
    // The app's objects go here, while the services they use are still there, rather than among the
    // statics at exit.
    application->setDelegate(nullptr);
    return status;
}
