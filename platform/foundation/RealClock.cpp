#include "platform/foundation/RealClock.h"

Clock::TimePoint RealClock::now() const {
    return std::chrono::time_point_cast<Duration>(std::chrono::steady_clock::now());
}

Date RealClock::date() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return Date::dateWithTimeIntervalSince1970(std::chrono::duration<double>(sinceEpoch).count());
}
