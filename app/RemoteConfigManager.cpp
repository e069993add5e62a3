#include "app/RemoteConfigManager.h"

#include "app/AllAppMetaData.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RunLoop.h"

#include <algorithm>

namespace {

std::string text(const RIDAruzovAdurad& component, const std::string& key) {
    auto bytes = component.configValueForKey(key).dataValue();
    return std::string(bytes.begin(), bytes.end());
}

// The key's value decoded as T; a value that does not decode is reported on the debug console.
template <typename T>
std::optional<T> decodedValue(const RIDAruzovAdurad& component, const std::string& key) {
    auto decoded = RecordDecoder::decodeJSON<T>(text(component, key));
    if (!decoded) {
        DebugConsole::print(decoded.error());
        return std::nullopt;
    }
    return *decoded;
}

void post(const char* name) {
    NotificationCenter::defaultCenter()->postNotificationName(name);
}

// The catalogue of the bundle's fallback property list, as JSON text.
std::optional<std::string> bundleCatalogueJSON() {
    auto path = Bundle::mainBundle()->pathForResource(RemoteConfigManager::bundleDefaultsName, "plist");
    if (!path) {
        return std::nullopt;
    }
    auto bytes = FileSystem::readFile(*path);
    if (!bytes) {
        DebugConsole::print(bytes.error());
        return std::nullopt;
    }
    auto plist = PropertyListCoding::decode(*bytes);
    if (!plist) {
        DebugConsole::print(plist.error());
        return std::nullopt;
    }
    auto json = JSONCoding::encode(AnyValue(plist->dictionaryValue().value_or(AnyValue::Dictionary{})), true);
    if (!json) {
        DebugConsole::print(json.error());
        return std::nullopt;
    }
    return *json;
}

bool listsApp(const AppMetaData& app, const std::string& identifier) {
    return std::find(app.appIdentifiers.begin(), app.appIdentifiers.end(), identifier) !=
           app.appIdentifiers.end();
}

} // namespace

std::shared_ptr<RemoteConfigManager> RemoteConfigManager::shared() {
    static const std::shared_ptr<RemoteConfigManager> instance = std::make_shared<RemoteConfigManager>();
    return instance;
}

RemoteConfigManager::RemoteConfigManager(std::shared_ptr<RIDAruzovAdurad> component)
    : remoteConfig(std::move(component)) {
    RIDAruzovAduradSettings settings;
    settings.minimumFetchInterval = 0.0;
    remoteConfig->setConfigSettings(settings);
}

void RemoteConfigManager::loadApps(const RIDAruzovAdurad& component) {
    auto catalogue = RecordDecoder::decodeJSON<AllAppMetaData>(text(component, "apps"));
    if (!catalogue) {
        auto json = bundleCatalogueJSON();
        if (!json) {
            return;
        }
        catalogue = RecordDecoder::decodeJSON<AllAppMetaData>(*json);
    }
    if (catalogue) {
        replaceField(&RemoteConfigManager::apps, std::move(catalogue->apps), didLoadMenuNotification);
    }
}

void RemoteConfigManager::loadAds(const RIDAruzovAdurad& component) {
    if (auto decoded = decodedValue<Ads>(component, "ads")) {
        replaceField(&RemoteConfigManager::ads, std::move(*decoded), didLoadKivoAdsNotification);
    }
}

void RemoteConfigManager::loadVideoTutorials(const RIDAruzovAdurad& component) {
    if (auto decoded = decodedValue<VideoTutorials>(component, "videoTutorials")) {
        replaceField(&RemoteConfigManager::videoTutorials, std::optional<VideoTutorials>(std::move(*decoded)),
                     didLoadVideoTutorialsNotification);
    }
}

template <typename Value>
void RemoteConfigManager::replaceField(Value RemoteConfigManager::*field, Value value,
                                       const char* notification) {
    if (RunLoop::isMainThread()) {
        this->*field = std::move(value);
        post(notification);
        return;
    }
    DispatchQueue::main()->async(
        [weakSelf = weak_from_this(), field, value = std::move(value), notification]() mutable {
            if (auto self = weakSelf.lock()) {
                (*self).*field = std::move(value);
                post(notification);
            }
        });
}

void RemoteConfigManager::loadAll() {
    // Off the main thread: a catalogue near the size limit takes several frames to decode.
    DispatchQueue::global()->async([weakSelf = weak_from_this(), component = remoteConfig] {
        if (auto self = weakSelf.lock()) {
            self->loadApps(*component);
            self->loadAds(*component);
            self->loadVideoTutorials(*component);
        }
    });
}

void RemoteConfigManager::fetchAndActivate(RIDAruzovAduradFetchStatus status,
                                           const std::optional<RIDAruzovAduradError>& error) {
    if (error) {
        loadAll();
    } else if (status == RIDAruzovAduradFetchStatus::success) {
        std::weak_ptr<RemoteConfigManager> weakSelf = weak_from_this();
        remoteConfig->activateWithCompletion([weakSelf](bool, std::optional<RIDAruzovAduradError>) {
            if (auto self = weakSelf.lock()) {
                self->loadAll();
            }
        });
    } else {
        DebugConsole::print("Config not fetched");
        DebugConsole::print("Error: No error available.");
    }
}

std::vector<AppMetaData> RemoteConfigManager::listedApps(bool multi) const {
    auto identifier = Bundle::mainBundle()->bundleIdentifier();
    if (!identifier) {
        return {};
    }
    std::vector<AppMetaData> listed;
    for (const auto& app : apps) {
        if (app.shouldShow && app.isMultiApp.value_or(false) == multi && !listsApp(app, *identifier)) {
            listed.push_back(app);
        }
    }
    return listed;
}

std::vector<AppMetaData> RemoteConfigManager::singleApps() const {
    return listedApps(false);
}

std::vector<AppMetaData> RemoteConfigManager::multiApps() const {
    return listedApps(true);
}

std::optional<AppMetaData> RemoteConfigManager::findCurrentApp() {
    if (currentApp) {
        return currentApp;
    }
    auto identifier = Bundle::mainBundle()->bundleIdentifier();
    if (!identifier) {
        return std::nullopt;
    }
    for (const auto& app : apps) {
        if (listsApp(app, *identifier)) {
            currentApp = app;
            return currentApp;
        }
    }
    return std::nullopt;
}

std::vector<std::string> RemoteConfigManager::videoTutorialLinks(std::optional<CalculatorCode> code) const {
    if (!code || !videoTutorials)
        return {};
    const auto topic = videoTutorials->find(calculatorShortKey(*code));
    if (topic == videoTutorials->end())
        return {};
    const std::string language = supportedLanguageCode();
    const auto& lists = topic->second;
    const auto own = lists.find(language);
    std::vector<std::string> links = own == lists.end() ? std::vector<std::string>{} : own->second;
    if (language == "en")
        return links;
    if (const auto english = lists.find("en"); english != lists.end())
        links.insert(links.end(), english->second.begin(), english->second.end());
    return links;
}
