#include "engine/TypedNumber.h"

#include "engine/EnglishDecimalText.h"
#include "engine/TextUtilities.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

using Integer = ExactNumber::Integer;

// g++ 12 at -O3 takes cpp_int's limb copy in resize, inlined here, for a copy of half a gigabyte out of
// a 32-byte number: a false positive inside the library.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
// The whole number the digits spell, read nineteen digits at a time.
Integer integerOf(std::string_view digits) {
    Integer value = 0;
    while (!digits.empty()) {
        const std::size_t length = std::min<std::size_t>(19, digits.size());
        std::uint64_t chunk = 0;
        for (char c : digits.substr(0, length))
            chunk = chunk * 10 + static_cast<std::uint64_t>(c - '0');
        value = value * ExactNumber::powerOfTen(static_cast<unsigned>(length)) + chunk;
        digits.remove_prefix(length);
    }
    return value;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

ExactNumber exactValue(const TypedDecimal& typed) {
    const Integer digits = integerOf(typed.digits);
    const int shift = typed.exponent + 1 - static_cast<int>(typed.digits.size());
    const Integer numerator = typed.negative ? Integer(-digits) : digits;
    if (shift >= 0)
        return {numerator * ExactNumber::powerOfTen(static_cast<unsigned>(shift))};
    return {numerator, ExactNumber::powerOfTen(static_cast<unsigned>(-shift))};
}

} // namespace

std::optional<TypedDecimal> typedDecimal(std::string_view text) {
    TypedDecimal typed;
    if (text.starts_with('+'))
        text.remove_prefix(1);
    else if (text.starts_with('-')) {
        typed.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view integerPart = text.substr(0, point);
    const std::string_view fractionPart = point == std::string_view::npos ? "" : text.substr(point + 1);
    auto isDigits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (integerPart.size() + fractionPart.size() == 0 || !isDigits(integerPart) || !isDigits(fractionPart))
        return std::nullopt;
    std::string all = std::string(integerPart) + std::string(fractionPart);
    const std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return typed;
    all.erase(all.find_last_not_of('0') + 1);
    typed.exponent = static_cast<int>(integerPart.size()) - 1 - static_cast<int>(first);
    typed.digits = all.substr(first);
    return typed;
}

bool isShortestDecimalOf(const TypedDecimal& typed, double value) {
    if (!std::isfinite(value))
        return false;
    if (value == 0 || typed.digits.empty())
        return value == 0 && typed.digits.empty();
    const ShortestDecimal shortest = shortestDecimal(std::fabs(value));
    return shortest.digits == typed.digits && shortest.exponent == typed.exponent;
}

ExactNumber shortestDecimalValue(double value) {
    if (value == 0)
        return {};
    const ShortestDecimal shortest = shortestDecimal(std::fabs(value));
    return exactValue({std::signbit(value), shortest.digits, shortest.exponent});
}

std::optional<ExactNumber> typedNumber(std::string_view fieldText) {
    std::string text(fieldText);
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    const std::vector<std::string_view> pieces = splitDroppingEmpty(text, "/");
    if (pieces.empty() || pieces.size() > 2 || (pieces.size() == 1 && contains(text, "/")))
        return std::nullopt;
    const std::optional<TypedDecimal> numerator = typedDecimal(pieces.front());
    const std::optional<TypedDecimal> denominator =
        pieces.size() == 2 ? typedDecimal(pieces.back()) : TypedDecimal{false, "1", 0};
    if (!numerator || !denominator || denominator->digits.empty())
        return std::nullopt;
    const ExactNumber z = exactValue(*numerator);
    const ExactNumber n = exactValue(*denominator);
    return ExactNumber(z.numerator() * n.denominator(), z.denominator() * n.numerator());
}
