#include "platform/foundation/DebugConsole.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

bool environmentSays(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && std::strcmp(value, "1") == 0;
}

struct ConsoleState {
    std::mutex mutex;
    bool silenced = environmentSays("OMBREL_QUIET");
    bool debugPrintsShown = environmentSays("OMBREL_DEBUG");
    std::function<void(const std::string&)> listener;
};

ConsoleState& state() {
    static ConsoleState console;
    return console;
}

void write(std::string_view line, bool debugPrint) {
    ConsoleState& console = state();
    std::function<void(const std::string&)> listener;
    {
        std::lock_guard lock(console.mutex);
        if (!console.silenced && (!debugPrint || console.debugPrintsShown)) {
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fputc('\n', stderr);
            std::fflush(stderr);
        }
        listener = console.listener;
    }
    if (listener)
        listener(std::string(line));
}

} // namespace

void DebugConsole::print(std::string_view line) {
    write(line, true);
}

void DebugConsole::notice(std::string_view line) {
    write(line, false);
}

void DebugConsole::setDebugPrintsShown(bool shown) {
    std::lock_guard lock(state().mutex);
    state().debugPrintsShown = shown;
}

bool DebugConsole::debugPrintsShown() {
    std::lock_guard lock(state().mutex);
    return state().debugPrintsShown;
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
