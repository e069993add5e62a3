#pragma once

#include <optional>
#include <string>

// A locale identifier such as "en_US" or "de". The current language comes from the environment
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, first non-empty); "C", "POSIX" or nothing mean English.
class Locale {
  public:
    explicit Locale(std::string identifier);

    static Locale currentLocale();
    // Two or three lower-case letters: "en", "de", ...
    static std::string currentLanguageCode();
    // Tests pin the language; nothing restores the environment lookup.
    static void setCurrentLanguageOverride(std::optional<std::string> languageCode);

    const std::string& localeIdentifier() const { return identifier_; }
    std::string languageCode() const;

    bool operator==(const Locale& other) const = default;

  private:
    std::string identifier_;
};
