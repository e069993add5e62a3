#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// Serial queues of work: the main queue (the main run loop) and background queues, each with its own
// thread. asyncAfter counts on the current clock for every queue (delayed background work is handed to
// its queue when due), so a manual clock drives it too.
class DispatchQueue : public std::enable_shared_from_this<DispatchQueue> {
  public:
    using Work = std::function<void()>;

    static std::shared_ptr<DispatchQueue> main();
    // A shared background queue for work of no particular owner.
    static std::shared_ptr<DispatchQueue> global();
    static std::shared_ptr<DispatchQueue> makeSerial(const std::string& label);

    ~DispatchQueue();

    void async(Work work);
    void asyncAfter(double seconds, Work work);

    const std::string& label() const { return label_; }
    bool isMain() const { return isMain_; }
    // True on the queue's own thread (on the main thread for the main queue).
    bool isCurrent() const;

    DispatchQueue(std::string label, bool isMain);

  private:
    void startThread();
    void workLoop();

    std::string label_;
    bool isMain_;
    std::mutex mutex_;
    std::condition_variable wakeup_;
    std::deque<Work> work_;
    bool stopping_ = false;
    std::thread thread_;
};
