#include "engine/EnglishDecimalText.h"
#include "platform/foundation/NumberFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

TEST(EnglishDecimalText, KnownTexts) {
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
}

TEST(EnglishDecimalText, MatchesThePlatformFormatter) {
    PlatformFormatter platform;
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 40000; ++i) {
        double value = 0;
        switch (i % 4) {
        case 0: { // any finite bit pattern
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            break;
        }
        case 1:
            value = std::ldexp(unit(random) - 0.5, static_cast<int>(random() % 120) - 60);
            break;
        case 2: // short decimals, as typed
            value = static_cast<double>(static_cast<long>(random() % 2000000) - 1000000) /
                    std::pow(10.0, static_cast<int>(random() % 12));
            break;
        default: // exact halves at the rounding digit
            value = static_cast<double>(2 * (static_cast<long>(random() % 200000) - 100000) + 1) /
                    std::pow(10.0, static_cast<int>(random() % 12)) / 2;
        }
        const int digits = static_cast<int>(random() % 16);
        ASSERT_EQ(englishDecimalText(value, digits), platform.text(value, digits))
            << "value " << value << " with " << digits << " digits";
    }
}

} // namespace
