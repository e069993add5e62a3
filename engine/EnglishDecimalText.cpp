#include "engine/EnglishDecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

ShortestDecimal shortestDecimal(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const std::string_view written(text, static_cast<std::size_t>(result.ptr - text));
    const std::size_t e = written.find('e');
    ShortestDecimal decimal;
    decimal.digits.assign(written.substr(0, e));
    if (decimal.digits.size() > 1) // the point after the first digit
        decimal.digits.erase(1, 1);
    std::from_chars(written.data() + e + (written[e + 1] == '+' ? 2 : 1), written.data() + written.size(),
                    decimal.exponent);
    return decimal;
}

namespace {

// A double holds this many decimal digits truly; beyond them a shown number would show binary noise.
constexpr int mostSignificantDigits = 15;

// Keeps the digits down to the power of ten -places, rounding half to even.
void roundToPlaces(ShortestDecimal& decimal, int places) {
    const long keep = static_cast<long>(decimal.exponent) + places + 1;
    if (keep >= static_cast<long>(decimal.digits.size()))
        return;
    if (keep < 0) {
        decimal.digits.clear();
        return;
    }
    const auto first = static_cast<std::size_t>(keep);
    const char dropped = decimal.digits[first];
    const bool beyondHalf = decimal.digits.find_first_not_of('0', first + 1) != std::string::npos;
    const bool previousOdd = first > 0 && (decimal.digits[first - 1] - '0') % 2 == 1;
    const bool up = dropped > '5' || (dropped == '5' && (beyondHalf || previousOdd));
    decimal.digits.resize(first);
    if (!up)
        return;
    std::size_t position = decimal.digits.size();
    while (position > 0 && decimal.digits[position - 1] == '9')
        decimal.digits[--position] = '0';
    if (position == 0) {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.exponent;
    } else {
        ++decimal.digits[position - 1];
    }
}

} // namespace

namespace {

// The text of the shortest decimal of the value rounded at the places the function gives for it.
template <typename Places> std::string decimalText(double value, Places placesFor) {
    // Every not-a-number shows the plain symbol; the sign bit of 0/0 is an accident of the hardware.
    if (std::isnan(value))
        return "NaN";
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isinf(value))
        return sign + "\u221e";
    ShortestDecimal decimal;
    if (value != 0) {
        decimal = shortestDecimal(std::fabs(value));
        roundToPlaces(decimal, placesFor(decimal));
    }
    const std::size_t last = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(last == std::string::npos ? 0 : last + 1);
    if (decimal.digits.empty())
        return sign + "0";

    std::string text = sign;
    const int count = static_cast<int>(decimal.digits.size());
    if (decimal.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
        text += decimal.digits;
    } else if (count <= decimal.exponent + 1) {
        text += decimal.digits;
        text.append(static_cast<std::size_t>(decimal.exponent + 1 - count), '0');
    } else {
        text.append(decimal.digits, 0, static_cast<std::size_t>(decimal.exponent + 1));
        text += '.';
        text.append(decimal.digits, static_cast<std::size_t>(decimal.exponent + 1));
    }
    return text;
}

} // namespace

std::string englishDecimalText(double value, int maximumFractionDigits) {
    return decimalText(value,
                       [maximumFractionDigits](const ShortestDecimal&) { return maximumFractionDigits; });
}

std::string shownDecimalText(double value, int maximumFractionDigits) {
    if (std::fabs(value) <= 9007199254740992.0 && value == std::trunc(value))
        return englishDecimalText(value, 0);
    return decimalText(value, [maximumFractionDigits](const ShortestDecimal& decimal) {
        return std::min(maximumFractionDigits, mostSignificantDigits - 1 - decimal.exponent);
    });
}

std::string shortestDecimalText(double value) {
    // The smallest positive double, 5e-324, has its digit 324 places after the point: no rounding.
    return englishDecimalText(value, 324);
}
