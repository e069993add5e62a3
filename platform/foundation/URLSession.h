#pragma once

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/URL.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HTTPURLResponse {
    URL url;
    int statusCode = 0;
    // Header lines in the order received, names as sent.
    std::vector<std::pair<std::string, std::string>> headers;

    // Case-insensitive name lookup; the first match.
    std::optional<std::string> valueForHTTPHeaderField(const std::string& name) const;
};

struct URLError {
    // Codes of the platform's URL error domain.
    static constexpr int unknown = -1;
    static constexpr int cancelled = -999;
    static constexpr int badURL = -1000;
    static constexpr int timedOut = -1001;
    static constexpr int unsupportedURL = -1002;
    static constexpr int cannotFindHost = -1003;
    static constexpr int cannotConnectToHost = -1004;
    static constexpr int networkConnectionLost = -1005;
    static constexpr int badServerResponse = -1011;
    static constexpr int dataLengthExceedsMaximum = -1103;
    static constexpr int secureConnectionFailed = -1200;

    int code = unknown;
    std::string localizedDescription;
};

class URLSessionDataTask;

struct URLSessionConfiguration {
    // Seconds without progress after which a request fails with timedOut. Both time-outs are measured on
    // the current clock (Clock::current()), a manual one included.
    double timeoutIntervalForRequest = 60;
    // Seconds the whole transfer may take; then it fails with timedOut.
    double timeoutIntervalForResource = 7 * 24 * 3600;
    // Bytes a response body may hold once decompressed; the transfer stops as soon as more arrive and
    // fails with dataLengthExceedsMaximum. None: no limit.
    std::optional<std::size_t> maximumResponseLength;
};

// HTTP GET data tasks through libcurl. Each task runs on the session's background queue; the completion
// runs on that queue's thread (as the platform's delegate queue does), never on the main thread, so a
// caller that touches views hops to DispatchQueue::main() itself. The completion gets the body (empty
// on failure), the HTTP response when one arrived (any status) and an error when the transfer failed
// (then no response).
class URLSession {
  public:
    using CompletionHandler = std::function<void(std::string data, std::optional<HTTPURLResponse> response,
                                                 std::optional<URLError> error)>;

    static std::shared_ptr<URLSession> sharedSession();
    explicit URLSession(URLSessionConfiguration configuration = {});

    const URLSessionConfiguration& configuration() const { return configuration_; }

    // Created suspended; resume() starts it.
    std::shared_ptr<URLSessionDataTask> dataTaskWithURLCompletionHandler(const URL& url,
                                                                         CompletionHandler completionHandler);

  private:
    URLSessionConfiguration configuration_;
    std::shared_ptr<DispatchQueue> queue_;
};

class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
  public:
    enum class State { suspended, running, completed };

    void resume();
    // A running or suspended task completes with a cancelled error.
    void cancel();
    State state() const { return state_; }
    const URL& originalRequestURL() const { return url_; }

    URLSessionDataTask(URLSessionConfiguration configuration, std::shared_ptr<DispatchQueue> queue, URL url,
                       URLSession::CompletionHandler handler);

  private:
    void perform();
    void complete(std::string data, std::optional<HTTPURLResponse> response, std::optional<URLError> error);

    URLSessionConfiguration configuration_;
    std::shared_ptr<DispatchQueue> queue_;
    URL url_;
    URLSession::CompletionHandler handler_;
    std::atomic<State> state_{State::suspended};
    std::atomic<bool> cancelled_{false};
};
