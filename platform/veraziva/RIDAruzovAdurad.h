#pragma once

#include "platform/foundation/Clock.h"
#include "platform/foundation/URLSession.h"
#include "platform/veraziva/RIDAruzovAduradError.h"
#include "platform/veraziva/RIDAruzovAduradSettings.h"
#include "platform/veraziva/RIDAruzovAduradValue.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

enum class RIDAruzovAduradFetchStatus : int { success = 1, failure = 2 };

// The remote-configuration component. A fetch GETs a JSON object (key -> value) from the endpoint and
// keeps it as the fetched values: a string member as its text, any other member as its compact JSON
// text. Activation makes the fetched values the active ones and writes them to the storage file, from
// which the next instance starts. Answers and the storage file are bounded by maximumConfigurationSize.
// Completions run on the main queue; receiving, decoding and writing happen off it.
class RIDAruzovAdurad : public std::enable_shared_from_this<RIDAruzovAdurad> {
  public:
    // The most a fetch may bring (after decompression) and the storage file may hold, in bytes.
    static constexpr std::size_t maximumConfigurationSize = 2 * 1024 * 1024;
    static constexpr double firstRetryDelay = 60;
    static constexpr double longestRetryDelay = 21600;
    // A request fails when no byte has arrived for requestIdleTimeout seconds, or when it has not completed
    // requestTimeout seconds after it started (on the current clock); it counts as a failed request.
    static constexpr double requestIdleTimeout = 30;
    static constexpr double requestTimeout = 60;

    using FetchCompletion =
        std::function<void(RIDAruzovAduradFetchStatus status, std::optional<RIDAruzovAduradError> error)>;
    using ActivateCompletion = std::function<void(bool changed, std::optional<RIDAruzovAduradError> error)>;

    struct Environment {
        std::filesystem::path storageFile;
        std::optional<std::string> endpoint;
    };

    // Storage under $OMBREL_HOME; endpoint from $OMBREL_REMOTE_CONFIG_URL when set and not empty, else
    // from the main bundle's VerazivaConfig.plist, else none.
    static Environment defaultEnvironment();
    // The shared component, created on first use in the default environment.
    static std::shared_ptr<RIDAruzovAdurad> remoteConfig();
    static std::shared_ptr<RIDAruzovAdurad> makeWithEnvironment(Environment environment);

    RIDAruzovAduradSettings configSettings() const;
    void setConfigSettings(const RIDAruzovAduradSettings& settings);

    // The active value of key; an empty value when the key holds nothing.
    RIDAruzovAduradValue configValueForKey(const std::string& key) const;

    // Within expirationDuration seconds of the last successful fetch, completes with success from the
    // values already fetched, without network. No endpoint, a transfer failure, an HTTP status outside
    // 2xx, a body that is not a JSON object and an answer above the size limit (the transfer stops
    // there) complete with failure and an error; the fetched values stay as they were. After a failed
    // request the server is left alone for firstRetryDelay seconds, twice as long after each further
    // failure up to longestRetryDelay; a fetch in that time fails at once with a throttled error. At most
    // one request is in flight: a fetch asked for meanwhile starts none and its completion never runs.
    void fetchWithExpirationDurationCompletionHandler(double expirationDuration, FetchCompletion completion);
    // changed: the active values differ from before. error: the values could not be written to disk
    // (they are active for this run all the same). Activations take effect in the order they are asked
    // for, on a background queue.
    void activateWithCompletion(ActivateCompletion completion);

  private:
    using Values = std::map<std::string, std::string>;
    // Fetched values with the property list that activation writes.
    struct Fetched {
        Values values;
        std::string storedForm;
    };

    explicit RIDAruzovAdurad(Environment environment);
    void finishFetch(const std::string& body, const std::optional<HTTPURLResponse>& response,
                     const std::optional<URLError>& error, const FetchCompletion& completion);
    std::optional<RIDAruzovAduradError> store(const std::string& storedForm) const;
    // Also ends the request in flight.
    void noteRequestOutcome(bool succeeded);

    const Environment environment_;
    mutable std::mutex mutex_;
    RIDAruzovAduradSettings settings_;
    Values active_;
    std::optional<Fetched> fetched_;
    std::optional<Clock::TimePoint> lastSuccessfulFetch_;
    std::optional<Clock::TimePoint> retryAfter_;
    double retryDelay_ = 0;
    bool requestInFlight_ = false;
};
