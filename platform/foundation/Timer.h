#pragma once

#include "platform/foundation/RunLoop.h"

#include <functional>
#include <memory>
#include <mutex>

// A one-shot or repeating timer on the main run loop. The run loop keeps a scheduled timer alive until
// it is invalidated (a one-shot timer invalidates itself after firing). A repeating timer that falls
// behind fires once and keeps its original rhythm.
class Timer : public std::enable_shared_from_this<Timer> {
  public:
    using Block = std::function<void(Timer&)>;

    static std::shared_ptr<Timer> scheduledTimerWithTimeInterval(double interval, bool repeats, Block block);

    void invalidate();
    bool isValid() const;
    double timeInterval() const { return interval_; }
    // Runs the block now, outside the schedule; a one-shot timer is invalidated by it.
    void fire();

    Timer(double interval, bool repeats, Block block);

  private:
    void schedule(Clock::TimePoint due);
    void onDue(Clock::TimePoint due);

    double interval_;
    bool repeats_;
    Block block_;
    mutable std::mutex mutex_;
    bool valid_ = true;
    RunLoop::WorkId pending_{};
};
