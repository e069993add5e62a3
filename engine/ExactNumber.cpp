#include "engine/ExactNumber.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

using Integer = ExactNumber::Integer;
// Numbers of at most two limbs are divided and written in this type, without the general long division.
using Wide = unsigned __int128;
static_assert(sizeof(boost::multiprecision::limb_type) == 8);

// The magnitude of a number, when it fits 128 bits.
std::optional<Wide> wideMagnitude(const Integer& value) {
    const auto& backend = value.backend();
    if (backend.size() > 2)
        return std::nullopt;
    Wide magnitude = backend.limbs()[0];
    if (backend.size() == 2)
        magnitude |= static_cast<Wide>(backend.limbs()[1]) << 64;
    return magnitude;
}

// 10^exponent for an exponent up to 19.
std::uint64_t smallPowerOfTen(unsigned exponent) {
    std::uint64_t power = 1;
    for (unsigned i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

const std::uint64_t tenToThe19 = smallPowerOfTen(19);

// The decimal digits of a number's magnitude, written into the buffer when the number fits 128 bits.
std::string_view magnitudeDigits(const Integer& value, std::span<char, 40> buffer, std::string& longDigits) {
    const std::optional<Wide> magnitude = wideMagnitude(value);
    if (!magnitude) {
        longDigits = Integer(abs(value)).str();
        return longDigits;
    }
    // At most three chunks of 19 digits, the least significant first.
    std::uint64_t chunks[3];
    std::size_t count = 0;
    Wide rest = *magnitude;
    for (; rest >= tenToThe19; rest /= tenToThe19)
        chunks[count++] = static_cast<std::uint64_t>(rest % tenToThe19);
    chunks[count++] = static_cast<std::uint64_t>(rest);
    char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), chunks[count - 1]).ptr;
    while (count > 1) {
        // A lower chunk keeps its leading zeros.
        char* const chunkEnd = end + 19;
        char* const written = std::to_chars(end, chunkEnd, chunks[--count - 1]).ptr;
        std::copy_backward(end, written, chunkEnd);
        std::fill(end, chunkEnd - (written - end), '0');
        end = chunkEnd;
    }
    return {buffer.data(), end};
}

// numerator / denominator · 10^exponent.
struct ScaledFraction {
    Integer numerator;
    Integer denominator;
    int exponent = 0;
};

// k when a denominator is 10^k (a typed decimal's): 10^k has k trailing zero bits.
std::optional<unsigned> tenExponent(const Integer& denominator) {
    const unsigned twos = lsb(denominator);
    if (denominator != ExactNumber::powerOfTen(twos))
        return std::nullopt;
    return twos;
}

// The term with the factors ten of its denominator moved into the exponent. Each factor ten holds a
// factor two, so no more are tried than the denominator has trailing zero bits.
ScaledFraction scaledFraction(const ExactNumber& term) {
    ScaledFraction fraction{term.numerator(), term.denominator(), 0};
    unsigned twos = lsb(fraction.denominator);
    Integer quotient, remainder;
    for (const auto& [divisor, digits] : {std::pair{Integer(tenToThe19), 19u}, std::pair{Integer(10), 1u}}) {
        while (twos >= digits) {
            divide_qr(fraction.denominator, divisor, quotient, remainder);
            if (remainder != 0)
                break;
            fraction.denominator = quotient;
            fraction.exponent -= static_cast<int>(digits);
            twos -= digits;
        }
    }
    return fraction;
}

void scaleUp(Integer& value, int digits) {
    if (digits > 0)
        value *= ExactNumber::powerOfTen(static_cast<unsigned>(digits));
}

// Halves summed on their own, then joined; fractions are not reduced, and equal denominators (every
// decimal has 1 once its power of ten is apart) are kept as they are.
ScaledFraction sumOf(std::span<ScaledFraction> terms) {
    if (terms.empty())
        return {0, 1};
    if (terms.size() == 1)
        return std::move(terms.front());
    ScaledFraction left = sumOf(terms.first(terms.size() / 2));
    ScaledFraction right = sumOf(terms.subspan(terms.size() / 2));
    const int exponent = std::min(left.exponent, right.exponent);
    scaleUp(left.numerator, left.exponent - exponent);
    scaleUp(right.numerator, right.exponent - exponent);
    if (left.denominator == right.denominator) {
        left.numerator += right.numerator;
        left.exponent = exponent;
        return left;
    }
    Integer numerator = left.numerator * right.denominator + right.numerator * left.denominator;
    return {std::move(numerator), left.denominator * right.denominator, exponent};
}

} // namespace

ExactNumber::ExactNumber(Integer numerator, Integer denominator)
    : numerator_(std::move(numerator)), denominator_(std::move(denominator)) {
    if (denominator_ < 0) {
        numerator_ = -numerator_;
        denominator_ = -denominator_;
    }
}

Integer ExactNumber::powerOfTen(unsigned exponent) {
    if (exponent <= 19)
        return smallPowerOfTen(exponent);
    if (exponent <= 2 * 19) // the typed decimals' usual lengths, without the general power
        return Integer(tenToThe19) * smallPowerOfTen(exponent - 19);
    return pow(Integer(10), exponent);
}

ExactNumber ExactNumber::sum(std::span<const ExactNumber> terms) {
    // Products over one typed probability's denominator, or decimals of one length, need no scaling.
    if (!terms.empty() && std::all_of(terms.begin(), terms.end(), [&](const ExactNumber& term) {
            return term.denominator_ == terms.front().denominator_;
        })) {
        Integer total = 0;
        for (const ExactNumber& term : terms)
            total += term.numerator_;
        return {std::move(total), terms.front().denominator_};
    }
    // Typed decimals: over the largest power of ten among them.
    std::vector<unsigned> tens;
    tens.reserve(terms.size());
    for (const ExactNumber& term : terms) {
        const std::optional<unsigned> ten = tenExponent(term.denominator_);
        if (!ten)
            break;
        tens.push_back(*ten);
    }
    if (tens.size() == terms.size()) {
        unsigned most = 0;
        for (unsigned ten : tens)
            most = std::max(most, ten);
        Integer total = 0;
        for (std::size_t i = 0; i < terms.size(); ++i) {
            if (tens[i] == most)
                total += terms[i].numerator_;
            else
                total += terms[i].numerator_ * powerOfTen(most - tens[i]);
        }
        return {std::move(total), powerOfTen(most)};
    }
    std::vector<ScaledFraction> fractions;
    fractions.reserve(terms.size());
    for (const ExactNumber& term : terms)
        fractions.push_back(scaledFraction(term));
    ScaledFraction total = sumOf(fractions);
    if (total.exponent >= 0) {
        scaleUp(total.numerator, total.exponent);
        return {std::move(total.numerator), std::move(total.denominator)};
    }
    return {std::move(total.numerator),
            total.denominator * powerOfTen(static_cast<unsigned>(-total.exponent))};
}

bool ExactNumber::isInteger() const {
    return denominator_ == 1 || numerator_ % denominator_ == 0;
}

Integer ExactNumber::truncated() const {
    return denominator_ == 1 ? numerator_ : Integer(numerator_ / denominator_);
}

int ExactNumber::sign() const {
    return numerator_.sign();
}

bool ExactNumber::isBelow(const ExactNumber& other) const {
    return numerator_ * other.denominator_ < other.numerator_ * denominator_;
}

bool ExactNumber::operator==(const ExactNumber& other) const {
    if (denominator_ == other.denominator_)
        return numerator_ == other.numerator_;
    return numerator_ * other.denominator_ == other.numerator_ * denominator_;
}

ExactNumber operator-(const ExactNumber& a, const ExactNumber& b) {
    if (a.denominator_ == b.denominator_)
        return {a.numerator_ - b.numerator_, a.denominator_};
    return {a.numerator_ * b.denominator_ - b.numerator_ * a.denominator_, a.denominator_ * b.denominator_};
}

ExactNumber operator*(const ExactNumber& a, const ExactNumber& b) {
    return {a.numerator_ * b.numerator_, a.denominator_ * b.denominator_};
}

ExactNumber::Rounded ExactNumber::rounded(unsigned places, bool halfToEven) const {
    // |value|·10^places = quotient + remainder / denominator; against a half is the sign of
    // remainder - (denominator - remainder).
    Integer quotient;
    int againstHalf = 0;
    bool exact = true;
    const std::optional<Wide> numerator = wideMagnitude(numerator_);
    const std::optional<Wide> denominator = wideMagnitude(denominator_);
    Wide scaled = 0;
    if (numerator && denominator && places <= 19 &&
        !__builtin_mul_overflow(*numerator, smallPowerOfTen(places), &scaled)) {
        const Wide wholes = scaled / *denominator, remainder = scaled % *denominator;
        const Wide rest = *denominator - remainder;
        againstHalf = remainder < rest ? -1 : (remainder == rest ? 0 : 1);
        exact = remainder == 0;
        quotient = wholes;
    } else {
        Integer remainder;
        divide_qr(abs(numerator_) * powerOfTen(places), denominator_, quotient, remainder);
        const Integer rest = denominator_ - remainder;
        againstHalf = remainder.compare(rest);
        exact = remainder == 0;
    }
    if (againstHalf > 0 || (againstHalf == 0 && (!halfToEven || bit_test(quotient, 0))))
        ++quotient;
    if (numerator_ < 0)
        quotient = -quotient;
    return {std::move(quotient), exact};
}

ExactNumber::Rounded ExactNumber::squareRootRoundedHalfAwayFromZero(unsigned places) const {
    // With y = 2·sqrt(value·10^(2·places)): the rounded root is floor((floor(y) + 1) / 2), and
    // floor(y) is the integer square root of floor(y²).
    const Integer scaledNumerator = numerator_ * powerOfTen(2 * places);
    const Integer twiceRoot = sqrt(Integer(4 * scaledNumerator / denominator_));
    Integer root = (twiceRoot + 1) / 2;
    const bool exact = root * root * denominator_ == scaledNumerator;
    return {std::move(root), exact};
}

std::string ExactNumber::decimalText(unsigned places) const {
    return decimalText(roundedHalfToEven(places).scaled, places);
}

std::string ExactNumber::decimalText(const Integer& scaled, unsigned places) {
    std::string text;
    appendDecimalText(text, scaled, places);
    return text;
}

void ExactNumber::appendDecimalText(std::string& text, const Integer& scaled, unsigned places) {
    char buffer[40];
    std::string longDigits;
    const std::string_view digits = magnitudeDigits(scaled, buffer, longDigits);
    const std::size_t integerLength = digits.size() > places ? digits.size() - places : 0;
    std::string_view fraction = digits.substr(integerLength);
    const std::size_t leadingZeros = places - fraction.size();
    const std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction = fraction.substr(0, lastDigit == std::string_view::npos ? 0 : lastDigit + 1);

    text.reserve(text.size() + 2 + std::max<std::size_t>(integerLength, 1) + leadingZeros + fraction.size());
    if (scaled < 0)
        text += '-';
    if (integerLength == 0)
        text += '0';
    else
        text += digits.substr(0, integerLength);
    if (!fraction.empty()) {
        text += '.';
        text.append(leadingZeros, '0');
        text += fraction;
    }
}
