#pragma once

#include <optional>

// How the process entry runs the app, from the command line:
//   --offscreen     no window even when a display is present
//   --dark          the dark appearance
//   --automation    commands on standard input, answers on standard output (tests, benchmarks)
//   --manual-clock  time moves only by the automation's "advance" (needs --automation)
//   -VAVDebugEnabled, -VAVDebugDisabled   the debug prints shown or not (else as OMBREL_DEBUG says)
// Other arguments are left to the app.
struct HostOptions {
    bool offscreen = false;
    bool dark = false;
    bool automation = false;
    bool manualClock = false;
    std::optional<bool> debugPrints;

    static HostOptions fromArguments(int argc, char** argv);
};
