#include "platform/foundation/Timer.h"

#include <algorithm>

namespace {

// Shorter intervals would keep the run loop busy with nothing but this timer.
constexpr double minimumInterval = 0.0001;

} // namespace

std::shared_ptr<Timer> Timer::scheduledTimerWithTimeInterval(double interval, bool repeats, Block block) {
    auto timer = std::make_shared<Timer>(interval, repeats, std::move(block));
    std::lock_guard lock(timer->mutex_);
    timer->schedule(Clock::current()->now() + Clock::seconds(timer->interval_));
    return timer;
}

Timer::Timer(double interval, bool repeats, Block block)
    : interval_(std::max(interval, minimumInterval)), repeats_(repeats), block_(std::move(block)) {}

void Timer::schedule(Clock::TimePoint due) {
    pending_ = RunLoop::main()->performAt(due, [self = shared_from_this(), due] { self->onDue(due); });
}

void Timer::onDue(Clock::TimePoint due) {
    {
        std::lock_guard lock(mutex_);
        if (!valid_)
            return;
        if (repeats_) {
            // Keeps the rhythm of the first due time; missed beats are skipped, not fired in a burst.
            const Clock::Duration step = Clock::seconds(interval_);
            const Clock::TimePoint now = Clock::current()->now();
            Clock::TimePoint next = due + step;
            if (next <= now)
                next += step * ((now - next) / step + 1);
            schedule(next);
        } else {
            valid_ = false;
        }
    }
    block_(*this);
}

void Timer::invalidate() {
    RunLoop::WorkId pending;
    {
        std::lock_guard lock(mutex_);
        if (!valid_)
            return;
        valid_ = false;
        pending = pending_;
    }
    RunLoop::main()->cancel(pending);
}

bool Timer::isValid() const {
    std::lock_guard lock(mutex_);
    return valid_;
}

void Timer::fire() {
    bool oneShot;
    {
        std::lock_guard lock(mutex_);
        if (!valid_)
            return;
        oneShot = !repeats_;
    }
    block_(*this);
    if (oneShot)
        invalidate();
}
