#pragma once

#include <functional>
#include <memory>
#include <string>

class UIViewController;

// Asks a dependable web page whether the network answers, one question at a time: while a check runs,
// another is not started, so quick taps neither pile up connections nor open a page twice. Any HTTP
// response (a body cut off after 64 KiB included) runs onSuccess; a failure, or no response within the
// answer time on the run loop's clock, shows the "No internet" alert on the presenter, whose "OK" runs
// onFailure when one is given. Main thread only.
class ConnectivityCheck : public std::enable_shared_from_this<ConnectivityCheck> {
  public:
    static constexpr double answerTimeLimit = 15;

    // Asks the page of the bundle's links.
    static std::shared_ptr<ConnectivityCheck> shared();
    explicit ConnectivityCheck(std::string probeURL);

    // Nothing while a check runs.
    void check(std::function<void()> onSuccess, std::function<void()> onFailure,
               const std::shared_ptr<UIViewController>& presenter);
    bool isRunning() const { return running_ != nullptr; }

  private:
    struct Run;
    // The first outcome of the running check decides; later ones are dropped.
    void finish(const std::shared_ptr<Run>& run, bool reached);

    std::string probeURL_;
    std::shared_ptr<Run> running_;
};
