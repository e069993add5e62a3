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
#include "platform/host/TerminationSignals.h"
#include "platform/host/WindowHost.h"
#include "platform/uikit/UIApplication.h"

namespace {

std::string windowTitle() {
    auto name = Bundle::mainBundle()->objectForInfoDictionaryKey("CFBundleName").stringValue();
    return name ? *name : "Ombrel";
}

} // namespace

int UIApplicationMain(int argc, char** argv, const std::optional<std::string>& principalClassName,
                      const std::optional<std::string>& delegateClassName) {
    std::unique_ptr<Host> host;
    // SIGINT and SIGTERM end the app like closing its window does, once the host runs; taken before
    // anything starts threads of its own.
    TerminationSignals signals([&host] { RunLoop::main()->perform([&host] { host->end(); }); });
    if (principalClassName && *principalClassName != "UIApplication") {
        DebugConsole::notice("Unknown application class " + *principalClassName);
        return 1;
    }
    auto delegate = delegateClassName ? ClassRegistry::makeDelegate(*delegateClassName) : nullptr;
    if (!delegate) {
        DebugConsole::notice("Unknown application delegate class " + delegateClassName.value_or("(none)"));
        return 1;
    }

    HostOptions options = HostOptions::fromArguments(argc, argv);
    if (options.debugPrints) {
        DebugConsole::setDebugPrintsShown(*options.debugPrints);
    }
    if (options.manualClock) {
        Clock::setCurrent(std::make_shared<ManualClock>());
    }
    if (options.dark) {
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    }

    if (!options.offscreen) {
        host = WindowHost::open(windowTitle());
    }
    if (!host) {
        host = std::make_unique<OffscreenHost>();
        if (!options.automation) {
            DebugConsole::notice("No display: Ombrel runs offscreen; Ctrl-C ends it.");
        }
    }
    std::shared_ptr<AutomationChannel> automation;
    if (options.automation) {
        automation = std::make_shared<AutomationChannel>(*host);
        automation->start();
    }

    auto application = UIApplication::sharedApplication();
    application->setDelegate(std::move(delegate));
    application->finishLaunching();
    application->moveToState(UIApplicationState::active);
    int status = host->run();
    if (automation) {
        automation->stop();
    }
    // The app's objects go here, while the services they use are still there, rather than among the
    // statics at exit.
    application->setDelegate(nullptr);
    return status;
}
