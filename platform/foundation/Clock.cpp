#include "platform/foundation/Clock.h"

#include "platform/foundation/RealClock.h"
#include "platform/foundation/RunLoop.h"

#include <mutex>

namespace {

struct CurrentClock {
    std::mutex mutex;
    std::shared_ptr<Clock> clock = std::make_shared<RealClock>();
};

CurrentClock& currentClock() {
    // Never destroyed: threads still at work while the process exits (network transfers, input) ask
    // for the time when they queue work.
    static auto* current = new CurrentClock;
    return *current;
}

} // namespace

std::shared_ptr<Clock> Clock::current() {
    std::lock_guard lock(currentClock().mutex);
    return currentClock().clock;
}

void Clock::setCurrent(std::shared_ptr<Clock> clock) {
    {
        std::lock_guard lock(currentClock().mutex);
        currentClock().clock = clock ? std::move(clock) : std::make_shared<RealClock>();
    }
    RunLoop::main()->wake();
}

Clock::Duration Clock::seconds(double seconds) {
    return std::chrono::duration_cast<Duration>(std::chrono::duration<double>(seconds));
}

double Clock::secondsBetween(TimePoint from, TimePoint to) {
    return std::chrono::duration<double>(to - from).count();
}
