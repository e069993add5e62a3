#include "platform/veraziva/RIDAruzovAdurad.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/veraziva/VAVOptions.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Values = std::map<std::string, std::string>;

void deliverFetch(const RIDAruzovAdurad::FetchCompletion& completion, RIDAruzovAduradFetchStatus status,
                  std::optional<RIDAruzovAduradError> error = std::nullopt) {
    if (!completion)
        return;
    DispatchQueue::main()->async([completion, status, error] { completion(status, error); });
}

const std::string sizeLimitText = std::to_string(RIDAruzovAdurad::maximumConfigurationSize) + " bytes";

// The configuration's own session: what an answer may bring, and how long it may take, are limited while
// it arrives.
std::shared_ptr<URLSession> configurationSession() {
    static const auto session = [] {
        URLSessionConfiguration configuration;
        configuration.maximumResponseLength = RIDAruzovAdurad::maximumConfigurationSize;
        configuration.timeoutIntervalForRequest = RIDAruzovAdurad::requestIdleTimeout;
        configuration.timeoutIntervalForResource = RIDAruzovAdurad::requestTimeout;
        return std::make_shared<URLSession>(configuration);
    }();
    return session;
}

// Activations write the storage file here, one after the other.
std::shared_ptr<DispatchQueue> storageQueue() {
    static const auto queue = DispatchQueue::makeSerial("com.ombrel.RemoteConfig.storage");
    return queue;
}

// A file that cannot be read, or is larger than a fetch may bring (it is not read then), is moved aside,
// never overwritten, and the component starts empty. Something other than a regular file is left in place.
Values loadStoredValues(const std::filesystem::path& file) {
    FileSystem::removeStaleTemporaryFiles(file.parent_path());
    const FileSystem::StoredFile stored =
        FileSystem::readStoredFile(file, RIDAruzovAdurad::maximumConfigurationSize);
    std::string problem = "unreadable";
    switch (stored.status) {
    case FileSystem::StoredFile::Status::missing:
        return {};
    case FileSystem::StoredFile::Status::notRegular:
        DebugConsole::notice("[Veraziva/RemoteConfig] Stored configuration " + file.string() +
                             " is not a regular file; left as it is");
        return {};
    case FileSystem::StoredFile::Status::tooLarge:
        problem = "larger than " + sizeLimitText;
        break;
    case FileSystem::StoredFile::Status::read:
        if (const Result<AnyValue> plist = PropertyListCoding::decode(stored.contents)) {
            if (std::optional<Values> values = plist->stringDictionaryValue())
                return std::move(*values);
        }
        break;
    case FileSystem::StoredFile::Status::unreadable:
        break;
    }
    const Result<std::filesystem::path> aside = FileSystem::moveAside(file, "corrupt");
    DebugConsole::notice("[Veraziva/RemoteConfig] Stored configuration " + problem + ", moved to " +
                         (aside ? aside->string() : "nowhere: " + aside.error()));
    return {};
}

std::optional<Values> valuesFromJSON(const std::string& body) {
    const Result<AnyValue> json = JSONCoding::decode(body);
    if (!json)
        return std::nullopt;
    const AnyValue::Dictionary* members = json->dictionaryPointer();
    if (members == nullptr)
        return std::nullopt;
    Values values;
    for (const auto& [key, member] : *members) {
        if (const std::string* text = member.stringPointer()) {
            values.emplace(key, *text);
            continue;
        }
        Result<std::string> compact = JSONCoding::encode(member);
        if (!compact)
            return std::nullopt;
        values.emplace(key, std::move(compact).value());
    }
    return values;
}

} // namespace

RIDAruzovAdurad::Environment RIDAruzovAdurad::defaultEnvironment() {
    Environment environment{FileSystem::ombrelHome() / "veraziva" / "RemoteConfigActive.plist", std::nullopt};
    if (const char* url = std::getenv("OMBREL_REMOTE_CONFIG_URL"); url != nullptr && *url != '\0') {
        environment.endpoint = url;
    } else if (Result<VAVOptions> options = VAVOptions::fromBundle(*Bundle::mainBundle())) {
        environment.endpoint = options->remoteConfigURL();
    }
    return environment;
}

std::shared_ptr<RIDAruzovAdurad> RIDAruzovAdurad::remoteConfig() {
    static const std::shared_ptr<RIDAruzovAdurad> shared = makeWithEnvironment(defaultEnvironment());
    return shared;
}

std::shared_ptr<RIDAruzovAdurad> RIDAruzovAdurad::makeWithEnvironment(Environment environment) {
    return std::shared_ptr<RIDAruzovAdurad>(new RIDAruzovAdurad(std::move(environment)));
}

RIDAruzovAdurad::RIDAruzovAdurad(Environment environment)
    : environment_(std::move(environment)), active_(loadStoredValues(environment_.storageFile)) {}

RIDAruzovAduradSettings RIDAruzovAdurad::configSettings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

void RIDAruzovAdurad::setConfigSettings(const RIDAruzovAduradSettings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
}

RIDAruzovAduradValue RIDAruzovAdurad::configValueForKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    const auto found = active_.find(key);
    return found == active_.end() ? RIDAruzovAduradValue() : RIDAruzovAduradValue(found->second);
}

void RIDAruzovAdurad::fetchWithExpirationDurationCompletionHandler(double expirationDuration,
                                                                   FetchCompletion completion) {
    if (!environment_.endpoint) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::noEndpoint,
                                          "No remote configuration endpoint is set"});
        return;
    }
    const std::optional<URL> url = URL::URLWithString(*environment_.endpoint);
    if (!url || !url->isHTTP()) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::noEndpoint,
                                          "The remote configuration endpoint is not an http or https URL: " +
                                              *environment_.endpoint});
        return;
    }
    {
        std::lock_guard lock(mutex_);
        // While a request is in flight a fetch starts none, and its completion never runs.
        if (requestInFlight_)
            return;
        if (lastSuccessfulFetch_ &&
            Clock::secondsBetween(*lastSuccessfulFetch_, Clock::current()->now()) < expirationDuration) {
            deliverFetch(completion, RIDAruzovAduradFetchStatus::success);
            return;
        }
        if (retryAfter_ && Clock::current()->now() < *retryAfter_) {
            deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                         RIDAruzovAduradError{RIDAruzovAduradError::throttled,
                                              "The last fetch failed; the server is asked again later"});
            return;
        }
        requestInFlight_ = true;
    }
    auto self = shared_from_this();
    FetchCompletion noted = [self, completion](RIDAruzovAduradFetchStatus status,
                                               std::optional<RIDAruzovAduradError> error) {
        self->noteRequestOutcome(status == RIDAruzovAduradFetchStatus::success);
        if (completion)
            completion(status, std::move(error));
    };
    configurationSession()
        ->dataTaskWithURLCompletionHandler(
            *url,
            [self, noted](std::string body, std::optional<HTTPURLResponse> response,
                          std::optional<URLError> error) { self->finishFetch(body, response, error, noted); })
        ->resume();
}

void RIDAruzovAdurad::noteRequestOutcome(bool succeeded) {
    std::lock_guard lock(mutex_);
    requestInFlight_ = false;
    if (succeeded) {
        retryDelay_ = 0;
        retryAfter_.reset();
        return;
    }
    retryDelay_ = retryDelay_ == 0 ? firstRetryDelay : std::min(retryDelay_ * 2, longestRetryDelay);
    retryAfter_ = Clock::current()->now() + Clock::seconds(retryDelay_);
}

void RIDAruzovAdurad::finishFetch(const std::string& body, const std::optional<HTTPURLResponse>& response,
                                  const std::optional<URLError>& error, const FetchCompletion& completion) {
    if (error && error->code == URLError::dataLengthExceedsMaximum) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::badResponse,
                                          "The server's answer is larger than " + sizeLimitText});
        return;
    }
    if (error || !response) {
        deliverFetch(
            completion, RIDAruzovAduradFetchStatus::failure,
            RIDAruzovAduradError{RIDAruzovAduradError::network,
                                 error ? error->localizedDescription : "No response from the server"});
        return;
    }
    if (response->statusCode < 200 || response->statusCode > 299) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::badResponse,
                                          "The server answered with HTTP status " +
                                              std::to_string(response->statusCode)});
        return;
    }
    std::optional<Values> values = valuesFromJSON(body);
    if (!values) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::badResponse,
                                          "The server's answer is not a JSON object"});
        return;
    }
    // Encoded here, off the main thread; and a stored form above the limit would not be read back.
    Result<std::string> storedForm = PropertyListCoding::encode(AnyValue(*values));
    if (!storedForm || storedForm->size() > maximumConfigurationSize) {
        deliverFetch(completion, RIDAruzovAduradFetchStatus::failure,
                     RIDAruzovAduradError{RIDAruzovAduradError::badResponse,
                                          storedForm ? "The configuration takes more than " + sizeLimitText +
                                                           " to store"
                                                     : storedForm.error()});
        return;
    }
    {
        std::lock_guard lock(mutex_);
        fetched_ = Fetched{std::move(*values), std::move(storedForm).value()};
        lastSuccessfulFetch_ = Clock::current()->now();
    }
    deliverFetch(completion, RIDAruzovAduradFetchStatus::success);
}

void RIDAruzovAdurad::activateWithCompletion(ActivateCompletion completion) {
    storageQueue()->async([self = shared_from_this(), completion = std::move(completion)] {
        std::optional<std::string> storedForm;
        {
            std::lock_guard lock(self->mutex_);
            if (self->fetched_ && self->fetched_->values != self->active_) {
                self->active_ = self->fetched_->values;
                storedForm = self->fetched_->storedForm;
            }
        }
        const bool changed = storedForm.has_value();
        const std::optional<RIDAruzovAduradError> error = changed ? self->store(*storedForm) : std::nullopt;
        if (completion)
            DispatchQueue::main()->async([completion, changed, error] { completion(changed, error); });
    });
}

std::optional<RIDAruzovAduradError> RIDAruzovAdurad::store(const std::string& storedForm) const {
    const Result<bool> written = FileSystem::writeFileAtomically(environment_.storageFile, storedForm);
    if (!written) {
        // The values stay active for this run; the next start goes without them.
        DebugConsole::notice("warning: remote configuration " + environment_.storageFile.string() +
                             " not saved: " + written.error());
        return RIDAruzovAduradError{RIDAruzovAduradError::storage, written.error()};
    }
    return std::nullopt;
}
