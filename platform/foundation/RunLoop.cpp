#include "platform/foundation/RunLoop.h"

namespace {

// Static initialisation runs on the process's first thread, so a background thread that happens to reach
// the main run loop first is not taken for the main thread.
const std::thread::id processMainThread = std::this_thread::get_id();

} // namespace

std::shared_ptr<RunLoop> RunLoop::main() {
    // Never destroyed: background threads (automation input, signal waiting) may still post to it
    // while the process runs its exit handlers.
    static const auto* loop = new std::shared_ptr<RunLoop>([] {
        auto created = std::make_shared<RunLoop>();
        // Reached from another file's static initialisation, which also runs on the first thread.
        created->thread_ =
            processMainThread == std::thread::id() ? std::this_thread::get_id() : processMainThread;
        return created;
    }());
    return *loop;
}

bool RunLoop::isMainThread() {
    const std::shared_ptr<RunLoop> loop = main();
    std::lock_guard lock(loop->mutex_);
    return loop->thread_ == std::this_thread::get_id();
}

RunLoop::WorkId RunLoop::perform(Work work) {
    return performAt(Clock::current()->now(), std::move(work));
}

RunLoop::WorkId RunLoop::performAt(Clock::TimePoint due, Work work) {
    std::uint64_t sequence;
    {
        std::lock_guard lock(mutex_);
        sequence = nextSequence_++;
        pending_.emplace(Key{due, sequence}, std::move(work));
        dueById_.emplace(sequence, due);
    }
    wakeup_.notify_all();
    return WorkId{sequence};
}

void RunLoop::cancel(WorkId id) {
    Work dropped;
    std::lock_guard lock(mutex_);
    const auto sequence = static_cast<std::uint64_t>(id);
    auto found = dueById_.find(sequence);
    if (found == dueById_.end())
        return;
    auto work = pending_.find(Key{found->second, sequence});
    // Destroyed after the lock is released: the work's captures may queue or cancel work themselves.
    dropped = std::move(work->second);
    pending_.erase(work);
    dueById_.erase(found);
}

bool RunLoop::runOneDue() {
    Work work;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty() || pending_.begin()->first.first > Clock::current()->now())
            return false;
        auto first = pending_.begin();
        work = std::move(first->second);
        dueById_.erase(first->first.second);
        pending_.erase(first);
    }
    work();
    return true;
}

std::size_t RunLoop::runUntilIdle() {
    std::size_t count = 0;
    while (runOneDue())
        ++count;
    return count;
}

std::optional<Clock::TimePoint> RunLoop::nextDueTime() const {
    std::lock_guard lock(mutex_);
    if (pending_.empty())
        return std::nullopt;
    return pending_.begin()->first.first;
}

std::size_t RunLoop::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

void RunLoop::removeAllWork() {
    std::map<Key, Work> dropped;
    std::lock_guard lock(mutex_);
    dropped.swap(pending_);
    dueById_.clear();
}

void RunLoop::run() {
    {
        std::lock_guard lock(mutex_);
        thread_ = std::this_thread::get_id();
    }
    for (;;) {
        bool stop = false;
        while (!stop && runOneDue()) {
            std::lock_guard lock(mutex_);
            stop = stopRequested_;
        }
        std::unique_lock lock(mutex_);
        if (stopRequested_) {
            stopRequested_ = false;
            return;
        }
        const std::shared_ptr<Clock> clock = Clock::current();
        if (pending_.empty()) {
            wakeup_.wait(lock);
            continue;
        }
        // Work queued from another thread after the loop above found none is due now: its wake-up
        // came before this wait and would be lost.
        const Clock::Duration remaining = pending_.begin()->first.first - clock->now();
        if (remaining <= Clock::Duration::zero())
            continue;
        if (clock->isManual())
            wakeup_.wait(lock);
        else
            wakeup_.wait_for(lock, remaining);
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wakeup_.notify_all();
}

void RunLoop::wake() {
    // Taking the lock orders this wake-up after run()'s check of the pending work, so it is not lost.
    { std::lock_guard lock(mutex_); }
    wakeup_.notify_all();
}
