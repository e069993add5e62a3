#pragma once

#include "platform/foundation/Clock.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// The main thread's run loop: runs queued work and timers at their due times on the current clock.
// Work is ordered by due time, then by the order it was queued. Work can be queued from any thread.
class RunLoop {
  public:
    enum class WorkId : std::uint64_t {};
    using Work = std::function<void()>;

    // The main run loop. The main thread is the process's first thread, until run() is called, which
    // makes the calling thread the main thread.
    static std::shared_ptr<RunLoop> main();
    static bool isMainThread();

    // Runs as soon as possible, after work already due.
    WorkId perform(Work work);
    // Runs at due on the current clock.
    WorkId performAt(Clock::TimePoint due, Work work);
    // Drops work not yet started; nothing when it already ran or was cancelled.
    void cancel(WorkId id);

    // Runs until stop() is called, waiting for due times on the real clock (with a manual clock it
    // waits for new work or an advance from another thread).
    void run();
    // Makes run() return after the work it is running; callable from any thread, also before run().
    void stop();

    // Runs everything due now on the current clock, including work that work queues and that is due
    // now, and returns the number of items run. For tests and for the manual clock.
    std::size_t runUntilIdle();
    // Due time of the earliest pending work.
    std::optional<Clock::TimePoint> nextDueTime() const;
    std::size_t pendingCount() const;
    // Drops all pending work (between tests).
    void removeAllWork();

    // Wakes run() so it reconsiders due times (the current clock changed or was advanced).
    void wake();

  private:
    using Key = std::pair<Clock::TimePoint, std::uint64_t>;
    bool runOneDue();

    mutable std::mutex mutex_;
    std::condition_variable wakeup_;
    std::map<Key, Work> pending_;
    std::map<std::uint64_t, Clock::TimePoint> dueById_;
    std::uint64_t nextSequence_ = 1;
    bool stopRequested_ = false;
    std::thread::id thread_;
};
