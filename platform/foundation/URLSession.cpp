#include "platform/foundation/URLSession.h"

#include "platform/foundation/Clock.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <mutex>

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

long milliseconds(double seconds) {
    if (!(seconds > 0))
        return 1;
    return static_cast<long>(std::min(std::ceil(seconds * 1000.0), 2147483647.0));
}

URLError makeError(int code) {
    switch (code) {
    case URLError::cancelled:
        return {code, "cancelled"};
    case URLError::badURL:
        return {code, "bad URL"};
    case URLError::timedOut:
        return {code, "The request timed out."};
    case URLError::unsupportedURL:
        return {code, "unsupported URL"};
    case URLError::cannotFindHost:
        return {code, "A server with the specified hostname could not be found."};
    case URLError::cannotConnectToHost:
        return {code, "Could not connect to the server."};
    case URLError::networkConnectionLost:
        return {code, "The network connection was lost."};
    case URLError::badServerResponse:
        return {code, "The server returned a bad response."};
    case URLError::dataLengthExceedsMaximum:
        return {code, "The resource exceeds the maximum size."};
    case URLError::secureConnectionFailed:
        return {code, "An SSL error has occurred and a secure connection to the server cannot be made."};
    default:
        return {URLError::unknown, "An unknown error occurred."};
    }
}

int errorCode(CURLcode result) {
    switch (result) {
    case CURLE_URL_MALFORMAT:
        return URLError::badURL;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return URLError::unsupportedURL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return URLError::cannotFindHost;
    case CURLE_COULDNT_CONNECT:
        return URLError::cannotConnectToHost;
    case CURLE_OPERATION_TIMEDOUT:
        return URLError::timedOut;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return URLError::networkConnectionLost;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_TOO_MANY_REDIRECTS:
        return URLError::badServerResponse;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return URLError::secureConnectionFailed;
    default:
        return URLError::unknown;
    }
}

struct Transfer {
    std::string body;
    std::size_t maximumBodyLength = std::string::npos;
    bool tooLong = false;
    std::vector<std::pair<std::string, std::string>> headers;
    const std::atomic<bool>* cancelled = nullptr;
    Clock::Duration idleLimit{};
    Clock::Duration totalLimit{};
    Clock::TimePoint started = Clock::current()->now();
    Clock::TimePoint lastProgress = started;
    curl_off_t lastBytes = 0;
    bool timedOut = false;
};

// Refusing the bytes (answering less than given) stops the transfer.
std::size_t receiveBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    const std::size_t length = size * count;
    if (length > transfer->maximumBodyLength - transfer->body.size()) {
        transfer->tooLong = true;
        return 0;
    }
    transfer->body.append(data, length);
    return length;
}

std::size_t receiveHeader(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        // A new status line: the headers of an earlier (redirect or interim) response are dropped.
        transfer->headers.clear();
    } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
        transfer->headers.emplace_back(trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1)));
    }
    return size * count;
}

// Aborts a cancelled transfer, one that made no progress for the request time-out and one that outlasts
// the resource time-out, both on the current clock (curl asks about once a second while nothing arrives).
int progress(void* context, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t uploadTotal,
             curl_off_t uploaded) {
    (void)downloadTotal;
    (void)uploadTotal;
    auto* transfer = static_cast<Transfer*>(context);
    if (*transfer->cancelled)
        return 1;
    const Clock::TimePoint now = Clock::current()->now();
    const curl_off_t bytes = downloaded + uploaded;
    if (bytes != transfer->lastBytes) {
        transfer->lastBytes = bytes;
        transfer->lastProgress = now;
    }
    transfer->timedOut = now - transfer->lastProgress >= transfer->idleLimit ||
                         now - transfer->started >= transfer->totalLimit;
    return transfer->timedOut ? 1 : 0;
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

std::optional<std::string> HTTPURLResponse::valueForHTTPHeaderField(const std::string& name) const {
    for (const auto& [field, value] : headers)
        if (equalIgnoringCase(field, name))
            return value;
    return std::nullopt;
}

std::shared_ptr<URLSession> URLSession::sharedSession() {
    static const auto session = std::make_shared<URLSession>();
    return session;
}

URLSession::URLSession(URLSessionConfiguration configuration)
    : configuration_(configuration), queue_(DispatchQueue::makeSerial("com.ombrel.URLSession.delegate")) {
    initialiseCurl();
}

std::shared_ptr<URLSessionDataTask>
URLSession::dataTaskWithURLCompletionHandler(const URL& url, CompletionHandler completionHandler) {
    return std::make_shared<URLSessionDataTask>(configuration_, queue_, url, std::move(completionHandler));
}

URLSessionDataTask::URLSessionDataTask(URLSessionConfiguration configuration,
                                       std::shared_ptr<DispatchQueue> queue, URL url,
                                       URLSession::CompletionHandler handler)
    : configuration_(configuration), queue_(std::move(queue)), url_(std::move(url)),
      handler_(std::move(handler)) {}

void URLSessionDataTask::resume() {
    State expected = State::suspended;
    if (!state_.compare_exchange_strong(expected, State::running))
        return;
    // Each transfer gets its own thread, so a slow server holds up no other task; the completion is
    // then handed to the session's delegate queue.
    auto transferQueue = DispatchQueue::makeSerial("com.ombrel.URLSession.transfer");
    transferQueue->async([self = shared_from_this(), transferQueue] { self->perform(); });
}

void URLSessionDataTask::cancel() {
    if (cancelled_.exchange(true))
        return;
    State expected = State::suspended;
    if (state_.compare_exchange_strong(expected, State::running))
        queue_->async([self = shared_from_this()] {
            self->complete({}, std::nullopt, makeError(URLError::cancelled));
        });
}

void URLSessionDataTask::perform() {
    if (cancelled_) {
        queue_->async([self = shared_from_this()] {
            self->complete({}, std::nullopt, makeError(URLError::cancelled));
        });
        return;
    }
    if (!url_.isHTTP()) {
        queue_->async([self = shared_from_this()] {
            self->complete({}, std::nullopt, makeError(URLError::unsupportedURL));
        });
        return;
    }
    Transfer transfer;
    transfer.cancelled = &cancelled_;
    transfer.idleLimit = Clock::seconds(configuration_.timeoutIntervalForRequest);
    transfer.totalLimit = Clock::seconds(configuration_.timeoutIntervalForResource);
    transfer.maximumBodyLength = configuration_.maximumResponseLength.value_or(std::string::npos);

    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url_.absoluteString().c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 16L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(configuration_.timeoutIntervalForRequest));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, receiveHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);

    std::optional<URLError> error;
    if (transfer.tooLong)
        error = makeError(URLError::dataLengthExceedsMaximum);
    else if (result == CURLE_ABORTED_BY_CALLBACK)
        error = makeError(transfer.timedOut ? URLError::timedOut : URLError::cancelled);
    else if (result != CURLE_OK)
        error = makeError(errorCode(result));
    else if (status == 0)
        error = makeError(URLError::badServerResponse);

    std::optional<HTTPURLResponse> response;
    if (!error)
        response = HTTPURLResponse{url_, static_cast<int>(status), std::move(transfer.headers)};
    std::string body = error ? std::string() : std::move(transfer.body);
    queue_->async([self = shared_from_this(), body = std::move(body), response = std::move(response),
                   error]() mutable { self->complete(std::move(body), std::move(response), error); });
}

void URLSessionDataTask::complete(std::string data, std::optional<HTTPURLResponse> response,
                                  std::optional<URLError> error) {
    state_ = State::completed;
    // Released after the call: the handler often holds the task's owner.
    URLSession::CompletionHandler handler = std::move(handler_);
    handler_ = nullptr;
    if (handler)
        handler(std::move(data), std::move(response), error);
}
