#include "engine/EnglishDecimalText.h"
#include "engine/TypedNumber.h"
#include "platform/foundation/NumberFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

// The platform formatter the engine's own number text must match.
class PlatformFormatter {
  public:
    std::string text(double value, int digits) {
        NumberFormatter& formatter = formatters_[digits];
        formatter.setNumberStyle(NumberFormatter::Style::decimal);
        formatter.setLocale(Locale("en_US"));
        formatter.setUsesGroupingSeparator(false);
        formatter.setMaximumFractionDigits(digits);
        return formatter.stringFromNumber(value);
    }

  private:
    std::map<int, NumberFormatter> formatters_;
};

TEST(EnglishDecimalText, KnownTextsAndThePlatformFormatter) {
    EXPECT_EQ(englishDecimalText(1234567.5, 10), "1234567.5");
    EXPECT_EQ(englishDecimalText(1.0 / 3, 10), "0.3333333333");
    EXPECT_EQ(englishDecimalText(3.9700000000000006, 10), "3.97");
    EXPECT_EQ(englishDecimalText(2.345, 2), "2.34");
    EXPECT_EQ(englishDecimalText(2.355, 2), "2.36");
    EXPECT_EQ(englishDecimalText(0.99999999995, 10), "1");
    EXPECT_EQ(englishDecimalText(1e22, 10), "10000000000000000000000");
    EXPECT_EQ(englishDecimalText(-0.0, 10), "-0");
    EXPECT_EQ(englishDecimalText(-std::nan(""), 10), "NaN");
    EXPECT_EQ(englishDecimalText(-std::numeric_limits<double>::infinity(), 10), "-\u221e");
    EXPECT_EQ(shortestDecimalText(0.000125), "0.000125");
    EXPECT_EQ(shortestDecimalText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(shortestDecimalText(2e12), "2000000000000");
    EXPECT_EQ(shortestDecimalText(5e-324), "0." + std::string(323, '0') + "5");

    // Arbitrary bit patterns are the fuzz target's; here short decimals as typed and exact halves at the
    // rounding digit, which random doubles rarely hit.
    PlatformFormatter platform;
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 20000; ++i) {
        const long whole = static_cast<long>(random() % 2000000) - 1000000;
        const double scale = std::pow(10.0, static_cast<int>(random() % 12));
        const double value =
            i % 2 ? static_cast<double>(whole) / scale : static_cast<double>(2 * whole + 1) / scale / 2;
        const int digits = static_cast<int>(random() % 16);
        ASSERT_EQ(englishDecimalText(value, digits), platform.text(value, digits))
            << "value " << value << " with " << digits << " digits";
    }
}

// Typed digits are the shortest decimal of a double exactly when the double is theirs and no decimal with
// fewer digits has it: whole numbers below 2^53, up to 15 digits, and longer or larger numbers.
TEST(TypedNumber, ShortestDecimalsOfDoublesAndExactValuesOfTexts) {
    const std::vector<std::tuple<std::string, double, bool>> shortest{
        {"9007199254740991", 9007199254740991.0, true},
        {"9007199254740991", 9007199254740990.0, false},
        {"9007199254740993", 9007199254740992.0, false},
        {"1234567890123456", 1234567890123456.0, true},
        {"12345678901234568", 12345678901234568.0, true},
        {"12345678901234567", 12345678901234568.0, false},
        {"-2.5", -2.5, true},
        {"0.3", 0.1 + 0.2, false},
        {"0.30000000000000004", 0.1 + 0.2, true},
        {"0.10000000000000001", 0.1, false},
        {"1" + std::string(22, '0'), 1e22, true},
        {"1" + std::string(23, '0'), 1e23, true},
    };
    for (const auto& [text, value, isShortest] : shortest) {
        SCOPED_TRACE(text);
        EXPECT_EQ(isShortestDecimalOf(*typedDecimal(text), value), isShortest);
    }

    using Integer = ExactNumber::Integer;
    const std::vector<std::pair<std::string, std::optional<ExactNumber>>> exact{
        {"(1.50)", ExactNumber(3, 2)},
        {"-007", ExactNumber(-7)},
        {"-0.000", ExactNumber(0)},
        {"0.000071234567890123456", ExactNumber(Integer("71234567890123456"), ExactNumber::powerOfTen(21))},
        {"12345678901234567890123.5", ExactNumber(Integer("24691357802469135780247"), 2)},
        {"2/-0.4", ExactNumber(-5)},
        {"1/0", std::nullopt},
        {"1/", std::nullopt},
        {"2/3/4", std::nullopt},
        {"1.2.3", std::nullopt},
        {"2\u03c0", std::nullopt},
    };
    for (const auto& [text, value] : exact) {
        SCOPED_TRACE(text);
        const std::optional<ExactNumber> typed = typedNumber(text);
        ASSERT_EQ(typed.has_value(), value.has_value());
        if (value) {
            EXPECT_TRUE(*typed == *value);
        }
    }
}

} // namespace
