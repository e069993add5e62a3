#include "app/RemoteConfigManager.h"

std::shared_ptr<RemoteConfigManager> RemoteConfigManager::shared() {
    static const std::shared_ptr<RemoteConfigManager> instance = std::make_shared<RemoteConfigManager>();
    return instance;
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
