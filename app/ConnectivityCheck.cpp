#include "app/ConnectivityCheck.h"

#include "app/AppLinks.h"
#include "app/ViewControllerOperations.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/URLSession.h"

namespace {

// The check needs only the status of the answer: its body is read no further than 64 KiB (unpacked).
std::shared_ptr<URLSession> connectivitySession() {
    static const auto session = [] {
        URLSessionConfiguration configuration;
        configuration.maximumResponseLength = 64 * 1024;
        return std::make_shared<URLSession>(configuration);
    }();
    return session;
}

void showNoInternet(UIViewController& presenter, const std::function<void()>& onFailure) {
    std::vector<std::shared_ptr<UIAlertAction>> actions;
    if (onFailure) {
        actions.push_back(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::defaultStyle,
                                                         [onFailure](const auto&) { onFailure(); }));
    }
    presentAlert(presenter, Bundle::mainBundle()->localizedString("noInternet", "", "No internet"),
                 std::nullopt, actions, UIAlertControllerStyle::alert);
}

} // namespace

// Held only on the main thread, so that what it holds goes there too.
struct ConnectivityCheck::Run {
    std::function<void()> onSuccess;
    std::function<void()> onFailure;
    std::shared_ptr<UIViewController> presenter;
    std::shared_ptr<URLSessionDataTask> task;
    std::shared_ptr<Timer> deadline;
};

std::shared_ptr<ConnectivityCheck> ConnectivityCheck::shared() {
    static const auto check = std::make_shared<ConnectivityCheck>(AppLinks::shared().connectivityProbeURL);
    return check;
}

ConnectivityCheck::ConnectivityCheck(std::string probeURL) : probeURL_(std::move(probeURL)) {}

void ConnectivityCheck::check(std::function<void()> onSuccess, std::function<void()> onFailure,
                              const std::shared_ptr<UIViewController>& presenter) {
    if (running_)
        return;
    auto run =
        std::make_shared<Run>(Run{std::move(onSuccess), std::move(onFailure), presenter, nullptr, nullptr});
    running_ = run;
    std::weak_ptr<ConnectivityCheck> weakSelf = weak_from_this();
    std::weak_ptr<Run> weakRun = run;
    auto answer = [weakSelf, weakRun](bool reached) {
        DispatchQueue::main()->async([weakSelf, weakRun, reached] {
            auto self = weakSelf.lock();
            auto run = weakRun.lock();
            if (self && run)
                self->finish(run, reached);
        });
    };
    const auto url = URL::URLWithString(probeURL_);
    if (!url) {
        answer(false);
        return;
    }
    run->deadline =
        Timer::scheduledTimerWithTimeInterval(answerTimeLimit, false, [answer](Timer&) { answer(false); });
    run->task = connectivitySession()->dataTaskWithURLCompletionHandler(
        *url, [answer](std::string, std::optional<HTTPURLResponse> response, std::optional<URLError> error) {
            // A body cut off at the limit came after its status.
            answer(response || (error && error->code == URLError::dataLengthExceedsMaximum));
        });
    run->task->resume();
}

void ConnectivityCheck::finish(const std::shared_ptr<Run>& run, bool reached) {
    if (running_ != run)
        return;
    running_.reset();
    if (run->deadline)
        run->deadline->invalidate();
    // A check given up closes its connection.
    if (run->task)
        run->task->cancel();
    if (reached) {
        if (run->onSuccess)
            run->onSuccess();
    } else if (run->presenter) {
        showNoInternet(*run->presenter, run->onFailure);
    }
}
