#include "platform/foundation/DebugConsole.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct ConsoleState {
    std::mutex mutex;
    bool silenced = quietByEnvironment();
    std::function<void(const std::string&)> listener;

    static bool quietByEnvironment() {
        const char* quiet = std::getenv("OMBREL_QUIET");
        return quiet != nullptr && std::strcmp(quiet, "1") == 0;
    }
};

ConsoleState& state() {
    static ConsoleState console;
    return console;
}

} // namespace

void DebugConsole::print(std::string_view line) {
    ConsoleState& console = state();
    std::function<void(const std::string&)> listener;
    {
        std::lock_guard lock(console.mutex);
        if (!console.silenced) {
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fputc('\n', stderr);
            std::fflush(stderr);
        }
        listener = console.listener;
    }
    if (listener)
        listener(std::string(line));
}

void DebugConsole::setSilenced(bool silenced) {
    std::lock_guard lock(state().mutex);
    state().silenced = silenced;
}

bool DebugConsole::isSilenced() {
    std::lock_guard lock(state().mutex);
    return state().silenced;
}

void DebugConsole::setListener(std::function<void(const std::string&)> listener) {
    std::lock_guard lock(state().mutex);
    state().listener = std::move(listener);
}
