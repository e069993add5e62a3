#pragma once

#include "platform/foundation/Date.h"

#include <chrono>
#include <memory>

// Time source of the run loop, the queues, timers and Date::now(). The process has one current clock;
// tests replace it with a ManualClock.
class Clock {
  public:
    using Duration = std::chrono::nanoseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~Clock() = default;

    // Monotonic time for scheduling.
    virtual TimePoint now() const = 0;
    // Wall-clock time.
    virtual Date date() const = 0;
    // A manual clock never moves by itself: waiting for it would block for ever.
    virtual bool isManual() const = 0;

    static std::shared_ptr<Clock> current();
    // nullptr restores the real clock.
    static void setCurrent(std::shared_ptr<Clock> clock);

    static Duration seconds(double seconds);
    static double secondsBetween(TimePoint from, TimePoint to);
};
