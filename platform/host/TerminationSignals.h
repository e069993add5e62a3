#pragma once

#include <atomic>
#include <functional>
#include <thread>

// SIGINT and SIGTERM, taken from the whole process and handed to a function on a thread of their own.
// Create it before any other thread starts, so that every later thread leaves the two signals to it.
class TerminationSignals {
  public:
    // Called on the signals' thread, for each signal that arrives while the object lives.
    explicit TerminationSignals(std::function<void()> onSignal);
    // Stops listening and waits for the thread: no signal reaches the function afterwards.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    void listen();

    std::function<void()> onSignal_;
    std::thread thread_;
    std::atomic<bool> ending_{false};
};
