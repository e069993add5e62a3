#include "platform/host/TerminationSignals.h"

#include <pthread.h>
#include <signal.h>

namespace {

sigset_t terminationSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    sigset_t signals = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    thread_ = std::thread([this] { listen(); });
}

TerminationSignals::~TerminationSignals() {
    ending_ = true;
    pthread_kill(thread_.native_handle(), SIGTERM);
    thread_.join();
}

void TerminationSignals::listen() {
    sigset_t signals = terminationSignals();
    for (;;) {
        int received = 0;
        if (sigwait(&signals, &received) != 0 || ending_) {
            return;
        }
        onSignal_();
    }
}
