#include "app/VideoTutorialKeys.h"

#include "platform/foundation/Locale.h"

#include <algorithm>
#include <array>

std::string calculatorShortKey(CalculatorCode code) {
    switch (code) {
    case CalculatorCode::ombrel:
        return "OB";
    }
    return "OB";
}

std::string supportedLanguageCode() {
    static constexpr std::array<const char*, 11> supported{"de", "zh", "ja", "en", "es", "ko",
                                                           "pt", "ru", "fr", "id", "hi"};
    const std::string language = Locale::currentLanguageCode();
    const bool known =
        std::any_of(supported.begin(), supported.end(), [&](const char* code) { return language == code; });
    return known ? language : "en";
}
