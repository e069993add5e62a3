#include "engine/KivoDigitAnalyser.h"

#include "engine/TextUtilities.h"

#include <algorithm>

namespace {

std::string_view fractionDigits(std::string_view text) {
    if (text.find('.') == std::string_view::npos)
        return {};
    std::string_view last;
    for (std::string_view piece : splitDroppingEmpty(text, "."))
        last = piece;
    return last;
}

// The length of the digit part when it counts, else nothing (-1).
long countedLength(std::string_view text) {
    std::string_view digits = fractionDigits(text);
    if (digits.empty() || !parseInt64(digits))
        return -1;
    return characterCount(digits);
}

} // namespace

double KivoDigitAnalyser::analyseDigits(std::string_view a, std::string_view b) {
    return static_cast<double>(std::max({countedLength(a), countedLength(b), 0L}));
}
