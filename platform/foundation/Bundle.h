#pragma once

#include "platform/foundation/AnyValue.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// An app bundle: a folder of resources with an Info.plist and gettext catalogues under
// locale/<language>/LC_MESSAGES/ombrel.mo.
class Bundle {
  public:
    // The main bundle: the folder set by setMainBundlePath, else $OMBREL_BUNDLE, else the "resources"
    // folder next to the running binary or next to one of its parent folders.
    static std::shared_ptr<Bundle> mainBundle();
    // Overrides the main bundle's folder; an empty path goes back to the default lookup.
    static void setMainBundlePath(const std::filesystem::path& path);

    explicit Bundle(std::filesystem::path path);

    const std::filesystem::path& bundlePath() const { return path_; }

    // "<name>.<extension>" in the bundle folder (name may contain sub-folders); nothing when absent or
    // when the name is empty. An empty extension looks for the bare name.
    std::optional<std::filesystem::path> pathForResource(const std::string& name,
                                                         const std::string& extension) const;

    // The Info.plist dictionary (empty when missing or unreadable).
    const AnyValue::Dictionary& infoDictionary() const;
    AnyValue objectForInfoDictionaryKey(const std::string& key) const;
    // CFBundleIdentifier / CFBundleShortVersionString.
    std::optional<std::string> bundleIdentifier() const;
    std::optional<std::string> shortVersionString() const;

    // The translation of key in the catalogue of the current language (Locale), falling back to the
    // English catalogue; else defaultValue when it is not empty; else the key. The comment is for
    // translators only. Works in the C locale (the catalogue is read directly).
    std::string localizedString(const std::string& key, const std::string& comment = {},
                                const std::string& defaultValue = {}) const;

  private:
    const std::map<std::string, std::string>* catalogue(const std::string& language) const;

    std::filesystem::path path_;
    mutable std::mutex mutex_;
    mutable std::optional<AnyValue::Dictionary> info_;
    mutable std::map<std::string, std::optional<std::map<std::string, std::string>>> catalogues_;
};
