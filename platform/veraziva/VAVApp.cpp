#include "platform/veraziva/VAVApp.h"

#include "platform/foundation/DebugConsole.h"

#include <mutex>

namespace {

struct DefaultAppSlot {
    std::mutex mutex;
    std::shared_ptr<VAVApp> app;
};

DefaultAppSlot& slot() {
    static DefaultAppSlot defaultApp;
    return defaultApp;
}

} // namespace

void VAVApp::configure() {
    std::lock_guard lock(slot().mutex);
    if (slot().app) {
        DebugConsole::notice("[Veraziva/Core] The default app has already been configured.");
        return;
    }
    Result<VAVOptions> options = VAVOptions::fromBundle(*Bundle::mainBundle());
    if (!options) {
        DebugConsole::notice("[Veraziva/Core] The default app could not be configured: " + options.error());
        return;
    }
    slot().app = std::make_shared<VAVApp>(std::move(options).value());
}

std::shared_ptr<VAVApp> VAVApp::defaultApp() {
    std::lock_guard lock(slot().mutex);
    return slot().app;
}

void VAVApp::resetDefaultApp() {
    std::lock_guard lock(slot().mutex);
    slot().app.reset();
}
