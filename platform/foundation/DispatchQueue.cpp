#include "platform/foundation/DispatchQueue.h"

#include "platform/foundation/RunLoop.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct DispatchQueue::Worker {
    std::mutex mutex;
    std::condition_variable wakeup;
    std::deque<Work> work;
    bool stopping = false;
    std::thread thread;

    static void loop(const std::shared_ptr<Worker>& worker) {
        for (;;) {
            Work next;
            {
                std::unique_lock lock(worker->mutex);
                worker->wakeup.wait(lock, [&] { return worker->stopping || !worker->work.empty(); });
                if (worker->work.empty())
                    return;
                next = std::move(worker->work.front());
                worker->work.pop_front();
            }
            next();
        }
    }
};

std::shared_ptr<DispatchQueue> DispatchQueue::main() {
    // Never destroyed, like the run loop behind it: work finishing on other threads while the process
    // exits still hands its completion here.
    static const auto* queue =
        new std::shared_ptr<DispatchQueue>(std::make_shared<DispatchQueue>("com.ombrel.main", true));
    return *queue;
}

std::shared_ptr<DispatchQueue> DispatchQueue::global() {
    static const auto queue = makeSerial("com.ombrel.global");
    return queue;
}

std::shared_ptr<DispatchQueue> DispatchQueue::makeSerial(const std::string& label) {
    return std::make_shared<DispatchQueue>(label, false);
}

DispatchQueue::DispatchQueue(std::string label, bool isMain) : label_(std::move(label)), isMain_(isMain) {
    if (isMain_)
        return;
    worker_ = std::make_shared<Worker>();
    worker_->thread = std::thread([worker = worker_] { Worker::loop(worker); });
}

DispatchQueue::~DispatchQueue() {
    if (!worker_)
        return;
    {
        std::lock_guard lock(worker_->mutex);
        worker_->stopping = true;
    }
    worker_->wakeup.notify_all();
    // Released by its own work: the thread finishes on its shared state and is not waited for.
    if (worker_->thread.get_id() == std::this_thread::get_id())
        worker_->thread.detach();
    else
        worker_->thread.join();
}

void DispatchQueue::async(Work work) {
    if (isMain_) {
        RunLoop::main()->perform(std::move(work));
        return;
    }
    {
        std::lock_guard lock(worker_->mutex);
        worker_->work.push_back(std::move(work));
    }
    worker_->wakeup.notify_one();
}

void DispatchQueue::asyncAfter(double seconds, Work work) {
    const Clock::TimePoint due = Clock::current()->now() + Clock::seconds(seconds);
    if (isMain_) {
        RunLoop::main()->performAt(due, std::move(work));
        return;
    }
    RunLoop::main()->performAt(due, [weakSelf = weak_from_this(), work = std::move(work)]() mutable {
        if (auto self = weakSelf.lock())
            self->async(std::move(work));
    });
}

bool DispatchQueue::isCurrent() const {
    if (isMain_)
        return RunLoop::isMainThread();
    return worker_->thread.get_id() == std::this_thread::get_id();
}
