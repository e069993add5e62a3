#include "engine/EnglishDecimalText.h"
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

} // namespace
