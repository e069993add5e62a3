#include "platform/host/HostOptions.h"

#include <string_view>

HostOptions HostOptions::fromArguments(int argc, char** argv) {
    HostOptions options;
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--offscreen") {
            options.offscreen = true;
        } else if (argument == "--dark") {
            options.dark = true;
        } else if (argument == "--automation") {
            options.automation = true;
        } else if (argument == "--manual-clock") {
            options.manualClock = true;
        } else if (argument == "-VAVDebugEnabled" || argument == "-VAVDebugDisabled") {
            options.debugPrints = argument == "-VAVDebugEnabled";
        }
    }
    // Without commands nothing could ever move a manual clock.
    options.manualClock = options.manualClock && options.automation;
    return options;
}
