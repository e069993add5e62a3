#pragma once

#include <functional>
#include <string>
#include <string_view>

// Standard error, one line per call, for two kinds of lines: the debug prints of the app and its
// platform (a phone keeps them in a device log the user never sees), shown only when asked for
// (OMBREL_DEBUG=1 or the launch argument "-VAVDebugEnabled"), and notices to the person running the
// program, always shown. OMBREL_QUIET=1 or a request silences both; a listener (tests) sees every
// line even when it is not shown.
class DebugConsole {
  public:
    static void print(std::string_view line);
    static void notice(std::string_view line);

    static void setDebugPrintsShown(bool shown);
    static bool debugPrintsShown();
    static void setSilenced(bool silenced);
    static bool isSilenced();

    // Replaces the listener; an empty function removes it. Called on the printing thread.
    static void setListener(std::function<void(const std::string&)> listener);
};
