#pragma once

#include "platform/foundation/RunLoop.h"

#include <chrono>
#include <functional>
#include <thread>

// Runs the main run loop until done() holds (completions arrive there from the network thread);
// false after the time limit.
inline bool runMainLoopUntil(const std::function<bool()>& done,
                             std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        RunLoop::main()->runUntilIdle();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}
