#include "platform/foundation/ManualClock.h"

#include "platform/foundation/RunLoop.h"

#include <algorithm>

ManualClock::ManualClock(Date startDate) : startDate_(startDate) {}

Clock::TimePoint ManualClock::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

Date ManualClock::date() const {
    std::lock_guard lock(mutex_);
    return startDate_.dateByAddingTimeInterval(
        std::chrono::duration<double>(now_.time_since_epoch()).count());
}

void ManualClock::advance(double seconds) {
    advance(Clock::seconds(seconds));
}

void ManualClock::advance(Duration duration) {
    const TimePoint target = now() + std::max(duration, Duration::zero());
    const std::shared_ptr<RunLoop> loop = RunLoop::main();
    for (;;) {
        loop->runUntilIdle();
        const std::optional<TimePoint> next = loop->nextDueTime();
        if (!next || *next > target)
            break;
        setNow(std::max(now(), *next));
    }
    setNow(target);
    loop->runUntilIdle();
    loop->wake();
}

void ManualClock::setNow(TimePoint time) {
    std::lock_guard lock(mutex_);
    now_ = time;
}
