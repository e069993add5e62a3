#include "platform/veraziva/RIDAruzovAdurad.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/veraziva/VAVOptions.h"

#include <cstdlib>

namespace {

using Values = std::map<std::string, std::string>;

void deliverFetch(const RIDAruzovAdurad::FetchCompletion& completion, RIDAruzovAduradFetchStatus status,
                  std::optional<RIDAruzovAduradError> error = std::nullopt) {
    if (!completion)
        return;
    DispatchQueue::main()->async([completion, status, error] { completion(status, error); });
}

// A file that cannot be read is moved aside, never overwritten, and the component starts empty.
Values loadStoredValues(const std::filesystem::path& file) {
    std::error_code missing;
    if (!std::filesystem::exists(file, missing))
        return {};
    const Result<std::string> bytes = FileSystem::readFile(file);
    if (bytes) {
        const Result<AnyValue> plist = PropertyListCoding::decode(*bytes);
        if (plist) {
            if (std::optional<Values> values = plist->stringDictionaryValue())
                return std::move(*values);
        }
    }
    const Result<std::filesystem::path> aside = FileSystem::moveAside(file, "unreadable");
    DebugConsole::print("[Veraziva/RemoteConfig] Stored configuration unreadable, moved to " +
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
    {
        std::lock_guard lock(mutex_);
        if (lastSuccessfulFetch_ &&
            Clock::secondsBetween(*lastSuccessfulFetch_, Clock::current()->now()) < expirationDuration) {
            deliverFetch(completion, RIDAruzovAduradFetchStatus::success);
            return;
        }
    }
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
    auto self = shared_from_this();
    URLSession::sharedSession()
        ->dataTaskWithURLCompletionHandler(*url,
                                           [self, completion](std::string body,
                                                              std::optional<HTTPURLResponse> response,
                                                              std::optional<URLError> error) {
                                               self->finishFetch(body, response, error, completion);
                                           })
        ->resume();
}

void RIDAruzovAdurad::finishFetch(const std::string& body, const std::optional<HTTPURLResponse>& response,
                                  const std::optional<URLError>& error, const FetchCompletion& completion) {
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
    {
        std::lock_guard lock(mutex_);
        fetched_ = std::move(values);
        lastSuccessfulFetch_ = Clock::current()->now();
    }
    deliverFetch(completion, RIDAruzovAduradFetchStatus::success);
}

void RIDAruzovAdurad::activateWithCompletion(ActivateCompletion completion) {
    bool changed = false;
    std::optional<RIDAruzovAduradError> error;
    {
        std::lock_guard lock(mutex_);
        if (fetched_ && *fetched_ != active_) {
            active_ = *fetched_;
            changed = true;
            // Written under the lock so that two activations reach the disk in the order they happened.
            error = store(active_);
        }
    }
    if (completion)
        DispatchQueue::main()->async([completion, changed, error] { completion(changed, error); });
}

std::optional<RIDAruzovAduradError> RIDAruzovAdurad::store(const Values& values) const {
    const Result<std::string> plist = PropertyListCoding::encode(AnyValue(values));
    if (!plist)
        return RIDAruzovAduradError{RIDAruzovAduradError::storage, plist.error()};
    const Result<bool> written = FileSystem::writeFileAtomically(environment_.storageFile, *plist);
    if (!written)
        return RIDAruzovAduradError{RIDAruzovAduradError::storage, written.error()};
    return std::nullopt;
}
