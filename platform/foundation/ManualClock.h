#pragma once

#include "platform/foundation/Clock.h"

#include <mutex>

// A clock that moves only when told. Advancing it runs, on the calling thread, the main run loop's
// work that becomes due, in due order, each with the clock set to its due time; work queued by that
// work runs too when it falls due within the advance.
class ManualClock : public Clock, public std::enable_shared_from_this<ManualClock> {
  public:
    explicit ManualClock(Date startDate = Date::dateWithTimeIntervalSince1970(1'700'000'000.0));

    TimePoint now() const override;
    Date date() const override;
    bool isManual() const override { return true; }

    void advance(double seconds);
    void advance(Duration duration);

  private:
    void setNow(TimePoint time);

    mutable std::mutex mutex_;
    TimePoint now_{};
    Date startDate_;
};
