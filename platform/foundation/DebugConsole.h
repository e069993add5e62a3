#pragma once

#include <functional>
#include <string>
#include <string_view>

// The debug console: every "print" of the app goes through here to stderr, one line per call.
// Silenced when OMBREL_QUIET=1 or on request; a listener (tests) sees every line even when silenced.
class DebugConsole {
  public:
    static void print(std::string_view line);

    static void setSilenced(bool silenced);
    static bool isSilenced();

    // Replaces the listener; an empty function removes it. Called on the printing thread.
    static void setListener(std::function<void(const std::string&)> listener);
};
