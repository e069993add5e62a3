#include "platform/foundation/CLocaleNumbers.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <system_error>

std::string CLocaleNumbers::formatG(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

std::string CLocaleNumbers::description(double value) {
    char text[64];
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    const double magnitude = std::fabs(value);
    if (value != 0 && (magnitude < 1e-4 || magnitude > 9007199254740992.0)) {
        const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
        return std::string(text, result.ptr);
    }
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    std::string plain(text, result.ptr);
    if (plain.find('.') == std::string::npos)
        plain += ".0";
    return plain;
}

std::optional<double> CLocaleNumbers::parseDouble(std::string_view text) {
    std::string_view digits = text;
    // from_chars takes "-" but not "+".
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            return std::nullopt;
    }
    if (digits.empty())
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ptr != digits.data() + digits.size())
        return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow and underflow: strtod's infinity, denormal or zero, read with the C locale.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
        const std::string copy(text);
        return strtod_l(copy.c_str(), nullptr, cLocale);
    }
    if (result.ec != std::errc{})
        return std::nullopt;
    return value;
}
