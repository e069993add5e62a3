#pragma once

#include "app/VideoTutorialKeys.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The values the app's maker changes without a release, decoded from remote configuration.
class RemoteConfigManager {
  public:
    // Calculator short key → language code → video links.
    using VideoTutorials = std::map<std::string, std::map<std::string, std::vector<std::string>>>;

    static std::shared_ptr<RemoteConfigManager> shared();

    std::optional<VideoTutorials> videoTutorials;

    // The user's language first, then the English links; nothing without a calculator.
    std::vector<std::string> videoTutorialLinks(std::optional<CalculatorCode> code) const;
};
