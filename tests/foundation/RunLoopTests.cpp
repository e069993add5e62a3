#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "tests/support/ManualClockTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <numeric>
#include <thread>

namespace {

class ManualClockRunLoopTest : public ManualClockTest {
  protected:
    // Seconds since the test started, on the manual clock.
    double elapsed() const { return Clock::secondsBetween(start, clock->now()); }

    Clock::TimePoint start = clock->now();
    std::vector<std::string> log;
};

TEST_F(ManualClockRunLoopTest, DelayedWorkRunsInDueOrderAtItsDueTimeUnlessCancelledEvenWhenQueuedByWork) {
    const Date before = Date::now();
    auto main = DispatchQueue::main();
    main->asyncAfter(3.0, [&] { log.push_back("3s@" + std::to_string(elapsed())); });
    main->asyncAfter(0.5, [&] { log.push_back("0.5s@" + std::to_string(elapsed())); });
    main->asyncAfter(3.0, [&] { log.push_back("3s-second"); });
    main->async([&] { log.push_back("now"); });
    clock->advance(0);
    EXPECT_EQ(log, std::vector<std::string>{"now"}) << "advancing by zero runs only what is due now";
    EXPECT_EQ(RunLoop::main()->pendingCount(), 3u);
    const RunLoop::WorkId id =
        RunLoop::main()->performAt(clock->now() + Clock::seconds(1), [&] { log.push_back("cancelled"); });
    RunLoop::main()->cancel(id);
    RunLoop::main()->cancel(id);

    clock->advance(2.9);
    EXPECT_EQ(log, (std::vector<std::string>{"now", "0.5s@" + std::to_string(0.5)}));
    clock->advance(0.1);
    EXPECT_EQ(log, (std::vector<std::string>{"now", "0.5s@" + std::to_string(0.5),
                                             "3s@" + std::to_string(3.0), "3s-second"}));
    EXPECT_DOUBLE_EQ(elapsed(), 3.0);
    EXPECT_DOUBLE_EQ(Date::now().timeIntervalSinceDate(before), 3.0) << "the date follows the manual clock";

    start = clock->now();
    log.clear();
    // The toast pattern: visible for 3 s, then a 2 s fade queued from the first step.
    main->asyncAfter(3.0, [&] {
        log.push_back("fade starts");
        main->asyncAfter(2.0, [&] { log.push_back("removed@" + std::to_string(elapsed())); });
        main->async([&] { log.push_back("same turn"); });
    });
    main->asyncAfter(4.0, [&] { log.push_back("4s"); });
    clock->advance(10);
    EXPECT_EQ(log,
              (std::vector<std::string>{"fade starts", "same turn", "4s", "removed@" + std::to_string(5.0)}));
}

TEST_F(ManualClockRunLoopTest, RepeatingAndOneShotTimersInterleaveByDueTimeUntilInvalidated) {
    int ticks = 0;
    // Only the run loop holds the repeating timer, which stops itself after three ticks.
    std::weak_ptr<Timer> repeating = Timer::scheduledTimerWithTimeInterval(1.0, true, [&](Timer& self) {
        log.push_back("tick" + std::to_string(++ticks) + "@" + std::to_string(elapsed()));
        if (ticks == 3)
            self.invalidate();
    });
    auto oneShot = Timer::scheduledTimerWithTimeInterval(2.5, false, [&](Timer&) { log.push_back("once"); });
    DispatchQueue::main()->asyncAfter(2.0, [&] { log.push_back("async2"); });
    ASSERT_FALSE(repeating.expired());

    clock->advance(2.5);
    EXPECT_FALSE(oneShot->isValid());
    EXPECT_TRUE(repeating.lock()->isValid());
    clock->advance(10);
    // At 2 s the work queued at the start goes before the tick the timer queued at 1 s.
    EXPECT_EQ(log, (std::vector<std::string>{"tick1@" + std::to_string(1.0), "async2",
                                             "tick2@" + std::to_string(2.0), "once",
                                             "tick3@" + std::to_string(3.0)}));
    EXPECT_TRUE(repeating.expired());
    EXPECT_EQ(RunLoop::main()->pendingCount(), 0u);
}

TEST_F(ManualClockRunLoopTest, DelayedBackgroundWorkIsHandedToItsQueueWhenDue) {
    auto queue = DispatchQueue::makeSerial("test.background");
    std::atomic<bool> ran{false};
    std::promise<bool> onQueueThread;
    queue->asyncAfter(1.0, [&] {
        ran = true;
        onQueueThread.set_value(queue->isCurrent() && !RunLoop::isMainThread());
    });
    clock->advance(0.5);
    EXPECT_FALSE(ran);
    clock->advance(0.5);
    std::future<bool> result = onQueueThread.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(result.get());
}

// The loop sleeps while it has no work; work queued from another thread must wake it. Each round is
// queued after the loop ran the round before, so nearly every one arrives while the loop is asleep.
TEST_F(ManualClockRunLoopTest, WorkFromAnotherThreadWakesTheWaitingLoopUntilItIsStopped) {
    auto loop = std::make_shared<RunLoop>();
    constexpr int rounds = 100;
    std::vector<std::promise<void>> ran(rounds);
    bool woken = true;
    std::thread other([&] {
        for (int round = 0; round < rounds && woken; ++round) {
            loop->perform([&ran, round] { ran[round].set_value(); });
            // Only a broken loop waits this long; stopping it then ends the test instead of hanging it.
            woken = ran[round].get_future().wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        }
        loop->stop();
    });
    loop->run();
    other.join();
    EXPECT_TRUE(woken);
    EXPECT_EQ(loop->pendingCount(), 0u);
}

TEST(DispatchQueue, BackgroundQueuesRunTheirWorkInOrderOnTheirOwnThreadAndMayReleaseThemselves) {
    std::vector<int> order;
    std::thread::id worker;
    bool sameThread = true;
    {
        auto queue = DispatchQueue::makeSerial("test.serial");
        EXPECT_FALSE(queue->isCurrent());
        for (int i = 0; i < 200; ++i)
            queue->async([&, i] {
                if (i == 0)
                    worker = std::this_thread::get_id();
                sameThread = sameThread && worker == std::this_thread::get_id();
                order.push_back(i);
            });
    } // releasing the queue finishes its work first
    std::vector<int> expected(200);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(sameThread);
    EXPECT_NE(worker, std::this_thread::get_id());

    // A queue released by its own work does not deadlock.
    std::promise<void> finished;
    {
        auto queue = DispatchQueue::makeSerial("test.self-release");
        auto holder = std::make_shared<std::shared_ptr<DispatchQueue>>(queue);
        queue->async([holder, &finished] {
            holder->reset();
            finished.set_value();
        });
    }
    EXPECT_EQ(finished.get_future().wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

} // namespace
