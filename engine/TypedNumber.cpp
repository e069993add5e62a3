#include "engine/TypedNumber.h"

#include "engine/EnglishDecimalText.h"
#include "engine/TextUtilities.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

using Integer = ExactNumber::Integer;

constexpr auto twoTo53 = static_cast<std::uint64_t>(twoToThe53);

// g++ 12 at -O3 takes cpp_int's limb copy in resize, inlined here, for a copy of half a gigabyte out of
// a 32-byte number: a false positive inside the library.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
// The whole number the digits spell, read nineteen digits at a time.
Integer integerOf(std::string_view digits) {
    std::uint64_t chunk = 0;
    std::size_t length = std::min<std::size_t>(19, digits.size());
    std::from_chars(digits.data(), digits.data() + length, chunk);
    Integer value = chunk;
    for (digits.remove_prefix(length); !digits.empty(); digits.remove_prefix(length)) {
        length = std::min<std::size_t>(19, digits.size());
        std::from_chars(digits.data(), digits.data() + length, chunk);
        value *= ExactNumber::powerOfTen(static_cast<unsigned>(length));
        value += chunk;
    }
    return value;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// A number as typed, split: the sign, the digits before the point and those after it.
struct DecimalParts {
    bool negative = false;
    std::string_view integerPart;
    std::string_view fractionPart;
};

std::optional<DecimalParts> decimalParts(std::string_view text) {
    DecimalParts parts;
    if (text.starts_with('+'))
        text.remove_prefix(1);
    else if (text.starts_with('-')) {
        parts.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    parts.integerPart = text.substr(0, point);
    parts.fractionPart = point == std::string_view::npos ? "" : text.substr(point + 1);
    auto isDigits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (parts.integerPart.size() + parts.fractionPart.size() == 0 || !isDigits(parts.integerPart) ||
        !isDigits(parts.fractionPart))
        return std::nullopt;
    return parts;
}

// The exact value the typed digits spell.
std::optional<ExactNumber> exactDecimal(std::string_view text) {
    const std::optional<DecimalParts> parts = decimalParts(text);
    if (!parts)
        return std::nullopt;
    const auto fractionDigits = static_cast<unsigned>(parts->fractionPart.size());
    Integer digits = integerOf(parts->integerPart);
    if (digits == 0) {
        digits = integerOf(parts->fractionPart);
    } else if (fractionDigits > 0) {
        digits *= ExactNumber::powerOfTen(fractionDigits);
        digits += integerOf(parts->fractionPart);
    }
    if (parts->negative)
        digits = -digits;
    return ExactNumber(std::move(digits), ExactNumber::powerOfTen(fractionDigits));
}

} // namespace

std::optional<TypedDecimal> typedDecimal(std::string_view text) {
    const std::optional<DecimalParts> parts = decimalParts(text);
    if (!parts)
        return std::nullopt;
    TypedDecimal typed;
    typed.negative = parts->negative;
    std::string& digits = typed.digits;
    digits.reserve(parts->integerPart.size() + parts->fractionPart.size());
    digits.append(parts->integerPart).append(parts->fractionPart);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        digits.clear();
        return typed;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    digits.erase(0, first);
    typed.exponent = static_cast<int>(parts->integerPart.size()) - 1 - static_cast<int>(first);
    return typed;
}

bool isShortestDecimalOf(const TypedDecimal& typed, double value) {
    if (!std::isfinite(value))
        return false;
    if (value == 0 || typed.digits.empty())
        return value == 0 && typed.digits.empty();
    const int shift = typed.exponent + 1 - static_cast<int>(typed.digits.size());
    if (typed.digits.size() <= 16 && std::abs(shift) <= 22) {
        std::uint64_t digits = 0;
        std::from_chars(typed.digits.data(), typed.digits.data() + typed.digits.size(), digits);
        // A whole number below 2^53 is its own double, and no other decimal with as few digits lies
        // within half a unit of it.
        std::uint64_t whole = digits;
        for (int i = 0; i < shift && whole < twoTo53; ++i)
            whole *= 10;
        if (shift >= 0 && whole < twoTo53)
            return static_cast<double>(whole) == std::fabs(value);
        // Up to 15 significant digits times a power of ten that a double holds exactly: the typed
        // number's double is one correctly rounded product or quotient, and no other decimal that short
        // has that double (each comes back from it written to 15 digits).
        if (typed.digits.size() <= 15) {
            double power = 1;
            for (int i = 0; i < std::abs(shift); ++i)
                power *= 10;
            const double typedValue =
                shift >= 0 ? static_cast<double>(digits) * power : static_cast<double>(digits) / power;
            return typedValue == std::fabs(value);
        }
    }
    const ShortestDecimal shortest = shortestDecimal(std::fabs(value));
    return shortest.digits == typed.digits && shortest.exponent == typed.exponent;
}

ExactNumber shortestDecimalValue(double value) {
    if (value == 0)
        return {};
    const ShortestDecimal shortest = shortestDecimal(std::fabs(value));
    Integer digits = integerOf(shortest.digits);
    if (std::signbit(value))
        digits = -digits;
    const int shift = shortest.exponent + 1 - static_cast<int>(shortest.digits.size());
    if (shift >= 0)
        return ExactNumber(digits * ExactNumber::powerOfTen(static_cast<unsigned>(shift)));
    return ExactNumber(std::move(digits), ExactNumber::powerOfTen(static_cast<unsigned>(-shift)));
}

std::optional<ExactNumber> typedNumber(std::string_view fieldText) {
    std::string withoutParentheses;
    std::string_view text = fieldText;
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == '(' || c == ')'; })) {
        withoutParentheses = fieldText;
        std::erase_if(withoutParentheses, [](char c) { return c == '(' || c == ')'; });
        text = withoutParentheses;
    }
    if (!contains(text, "/"))
        return exactDecimal(text);
    const std::vector<std::string_view> pieces = splitDroppingEmpty(text, "/");
    if (pieces.size() != 2)
        return std::nullopt;
    const std::optional<ExactNumber> z = exactDecimal(pieces.front());
    const std::optional<ExactNumber> n = exactDecimal(pieces.back());
    if (!z || !n || n->sign() == 0)
        return std::nullopt;
    return ExactNumber(z->numerator() * n->denominator(), z->denominator() * n->numerator());
}
