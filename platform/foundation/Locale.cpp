#include "platform/foundation/Locale.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>

namespace {

struct LanguageOverride {
    std::mutex mutex;
    std::optional<std::string> code;
};

LanguageOverride& languageOverride() {
    static LanguageOverride shared;
    return shared;
}

// The first locale name the environment gives for messages: LANGUAGE (its first entry), LC_ALL,
// LC_MESSAGES, LANG.
std::string environmentLocaleName() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr)
            continue;
        std::string name(value);
        name = name.substr(0, name.find(':'));
        if (!name.empty())
            return name;
    }
    return {};
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C", "POSIX" and anything unusable -> "en_US".
std::string identifierFromLocaleName(const std::string& name) {
    std::string identifier = name.substr(0, name.find_first_of(".@"));
    for (char& c : identifier)
        if (c == '-')
            c = '_';
    const std::string language = identifier.substr(0, identifier.find('_'));
    const bool letters =
        language.size() >= 2 && language.size() <= 3 &&
        std::all_of(language.begin(), language.end(), [](unsigned char c) { return std::isalpha(c) != 0; });
    if (!letters)
        return "en_US";
    return identifier;
}

} // namespace

Locale::Locale(std::string identifier) : identifier_(std::move(identifier)) {}

Locale Locale::currentLocale() {
    {
        std::lock_guard lock(languageOverride().mutex);
        if (languageOverride().code)
            return Locale(*languageOverride().code);
    }
    return Locale(identifierFromLocaleName(environmentLocaleName()));
}

std::string Locale::currentLanguageCode() {
    return currentLocale().languageCode();
}

void Locale::setCurrentLanguageOverride(std::optional<std::string> languageCode) {
    std::lock_guard lock(languageOverride().mutex);
    languageOverride().code = std::move(languageCode);
}

std::string Locale::languageCode() const {
    std::string code = identifier_.substr(0, identifier_.find_first_of("_-"));
    for (char& c : code)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return code;
}
