#pragma once

#include <functional>
#include <memory>
#include <string>

// Serial queues of work: the main queue (the main run loop) and background queues, each with its own
// thread. asyncAfter counts on the current clock for every queue: delayed work is timed by the main run
// loop and handed to its queue when due, so a manual clock drives it too (and with the real clock the
// main run loop must be running). A released background queue finishes the work already queued.
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
    struct Worker;

    std::string label_;
    bool isMain_;
    // Background queues only; shared with the queue's thread so that the queue may be released by its
    // own work.
    std::shared_ptr<Worker> worker_;
};
