#include "platform/veraziva/VAVAnalytics.h"

#include "platform/foundation/Date.h"
#include "platform/veraziva/APMDataTypeValidator.h"
#include "platform/veraziva/APMMonitor.h"
#include "platform/veraziva/VAVApp.h"

#include <cmath>

namespace {

// Message codes of this file.
constexpr int notConfiguredCode = 13001;
constexpr int invalidEventNameCode = 13002;
constexpr int unconvertibleParameterCode = 13003;
constexpr int eventLoggedCode = 13004;

constexpr const char* appOrigin = "app";

APMListenerList<APMEvent>& eventListeners() {
    static APMListenerList<APMEvent> listeners;
    return listeners;
}

APMValue::Parameters convertParameters(const std::string& eventName, const AnyValue::Dictionary& parameters) {
    APMValue::Parameters converted;
    for (const auto& [key, value] : parameters) {
        if (std::optional<APMValue> platformValue = APMValue::fromAnyValue(value)) {
            converted.emplace(key, std::move(*platformValue));
            continue;
        }
        APMMonitor::sharedInstance()->log(
            APMLogLevel::warning, unconvertibleParameterCode,
            "Data loss. Parameter value cannot be converted. Event name, parameter name, value type",
            {eventName, key, AnyValue::kindName(value.kind())});
    }
    return converted;
}

} // namespace

void VAVAnalytics::logEventWithNameParameters(const std::string& name,
                                              const std::optional<AnyValue::Dictionary>& parameters) {
    logEventWithOriginNameParameters(appOrigin, name, parameters);
}

void VAVAnalytics::logEventWithOriginNameParameters(const std::string& origin, const std::string& name,
                                                    const std::optional<AnyValue::Dictionary>& parameters) {
    const std::shared_ptr<APMMonitor> monitor = APMMonitor::sharedInstance();
    if (!VAVApp::isDefaultAppConfigured()) {
        monitor->log(APMLogLevel::warning, notConfiguredCode, "Event not logged. Call +[VAVApp configure]");
        return;
    }
    if (std::optional<APMError> error = APMDataTypeValidator::checkPublicEventName(name)) {
        std::vector<std::string> context{error->domain, std::to_string(error->code)};
        if (error->monitorContext)
            context.push_back(*error->monitorContext);
        monitor->log(APMLogLevel::error, invalidEventNameCode, error->description, std::move(context));
        return;
    }
    APMEvent event{origin, name, std::llround(Date::now().timeIntervalSince1970() * 1000.0),
                   parameters ? convertParameters(name, *parameters) : APMValue::Parameters{}};
    monitor->log(APMLogLevel::notice, eventLoggedCode, "Logging event: origin, name, params",
                 {event.origin, event.name, APMValue::describeParameters(event.parameters)});
    eventListeners().notify(event);
}

int VAVAnalytics::addEventListener(APMListenerList<APMEvent>::Listener listener) {
    return eventListeners().add(std::move(listener));
}

void VAVAnalytics::removeEventListener(int token) {
    eventListeners().remove(token);
}
