#pragma once

#include "app/AppMetaData.h"
#include "app/KivoAdData.h"
#include "app/VideoTutorialKeys.h"
#include "platform/veraziva/RIDAruzovAdurad.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The values the app's maker changes without a release, decoded from remote configuration: the
// maker's app catalogue, the promotions and the tutorial-video links. Each loader replaces its value
// as a whole and announces it with a notification; a value that does not decode leaves the old one
// in place. The fields are replaced and announced on the main thread, where the screens read them: at
// once when a loader runs there (start-up), through the main queue when it runs on the shared
// background queue (every load after a fetch).
class RemoteConfigManager : public std::enable_shared_from_this<RemoteConfigManager> {
  public:
    // Calculator short key → language code → video links.
    using VideoTutorials = std::map<std::string, std::map<std::string, std::vector<std::string>>>;
    using Ads = std::map<std::string, std::vector<KivoAdData>>;

    static constexpr const char* didLoadMenuNotification = "didLoadMenu";
    static constexpr const char* didLoadKivoAdsNotification = "didLoadKivoAds";
    static constexpr const char* didLoadVideoTutorialsNotification = "didLoadVideoTutorialsData";
    static constexpr const char* bundleDefaultsName = "RemoteConfigDefaults";

    // On the component's shared object.
    static std::shared_ptr<RemoteConfigManager> shared();
    // Lets the component fetch whenever asked (minimum fetch interval 0).
    explicit RemoteConfigManager(
        std::shared_ptr<RIDAruzovAdurad> component = RIDAruzovAdurad::remoteConfig());

    // The running app's own catalogue record, once found.
    std::optional<AppMetaData> currentApp;
    std::shared_ptr<RIDAruzovAdurad> remoteConfig;
    std::vector<AppMetaData> apps;
    Ads ads;
    std::optional<VideoTutorials> videoTutorials;

    // "apps", falling back to the bundle's RemoteConfigDefaults.plist; posts "didLoadMenu".
    void loadApps(const RIDAruzovAdurad& component);
    // "ads"; posts "didLoadKivoAds".
    void loadAds(const RIDAruzovAdurad& component);
    // "videoTutorials"; posts "didLoadVideoTutorialsData".
    void loadVideoTutorials(const RIDAruzovAdurad& component);
    // The completion of a fetch: after an error the loaders run on the values in force, after a
    // success on the freshly activated ones; otherwise nothing is loaded.
    void fetchAndActivate(RIDAruzovAduradFetchStatus status,
                          const std::optional<RIDAruzovAduradError>& error);

    // Shown apps of the menu's "Other apps" and "All in one" lists, without the running app.
    std::vector<AppMetaData> singleApps() const;
    std::vector<AppMetaData> multiApps() const;
    std::optional<AppMetaData> findCurrentApp();

    // The user's language first, then the English links; nothing without a calculator.
    std::vector<std::string> videoTutorialLinks(std::optional<CalculatorCode> code) const;

  private:
    void loadAll();
    template <typename Value>
    void replaceField(Value RemoteConfigManager::*field, Value value, const char* notification);
    std::vector<AppMetaData> listedApps(bool multi) const;
};
