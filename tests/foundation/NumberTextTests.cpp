#include "platform/foundation/CLocaleNumbers.h"
#include "platform/foundation/NumberFormatter.h"
#include "platform/foundation/PropertyListCoding.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace {

NumberFormatter stepFormatter() {
    NumberFormatter formatter;
    formatter.setNumberStyle(NumberFormatter::Style::decimal);
    formatter.setLocale(Locale("en_US"));
    formatter.setMaximumFractionDigits(10);
    return formatter;
}

// The engine's number text is compared with this formatter over many values (tests/engine); here are
// the grouping, the symbols and the reading it does not use.
TEST(NumberFormatter, DecimalTextsGroupRoundHalfToEvenAndReadOnlyWholeDecimals) {
    NumberFormatter formatter = stepFormatter();
    EXPECT_EQ(formatter.stringFromNumber(1234567.5), "1,234,567.5");
    EXPECT_EQ(formatter.stringFromNumber(std::numeric_limits<double>::infinity()), "\u221e");
    formatter.setMaximumFractionDigits(2);
    EXPECT_EQ(formatter.stringFromNumber(0.125), "0.12");
    EXPECT_EQ(formatter.stringFromNumber(0.375), "0.38");
    EXPECT_EQ(formatter.numberFromString("-0.25"), -0.25);
    EXPECT_EQ(formatter.numberFromString("1,000"), 1000.0);
    // "%g" exponent form is not read back as a plain number.
    for (const char* bad : {"1e+06", "1.5e-05", " 5", "5x", ""})
        EXPECT_FALSE(formatter.numberFromString(bad)) << bad;
}

TEST(NumberFormatter, StyleDefaultsGroupingAndLocale) {
    NumberFormatter plain;
    plain.setLocale(Locale("en_US"));
    EXPECT_EQ(plain.stringFromNumber(1234.5678), "1235"); // style none: whole numbers, no grouping
    NumberFormatter decimal = stepFormatter();
    decimal.setNumberStyle(NumberFormatter::Style::decimal); // resets to the style's 3 digits
    EXPECT_EQ(decimal.stringFromNumber(1234.56789), "1,234.568");
    decimal.setUsesGroupingSeparator(false);
    EXPECT_EQ(decimal.stringFromNumber(1234.56789), "1234.568");
    decimal.setMinimumFractionDigits(2);
    EXPECT_EQ(decimal.stringFromNumber(3), "3.00");
    decimal.setLocale(Locale("de_DE"));
    decimal.setUsesGroupingSeparator(true);
    EXPECT_EQ(decimal.stringFromNumber(1234.5), "1.234,50");
}

TEST(CLocaleNumbers, FormatGShortestRoundTripDescriptionAndWholeTextParsing) {
    const double infinity = std::numeric_limits<double>::infinity();
    // Value, "%g" with six significant digits, shortest text that reads back.
    const std::vector<std::tuple<double, std::string, std::string>> texts = {
        {5, "5", "5.0"},
        {-0.0, "-0", "-0.0"},
        {123456789, "1.23457e+08", "123456789.0"},
        {1e6, "1e+06", "1000000.0"},
        {0.0001, "0.0001", "0.0001"},
        {0.00001, "1e-05", "1e-05"},
        {-1.0 / 3.0, "-0.333333", "-0.3333333333333333"},
        {0.1 + 0.2, "0.3", "0.30000000000000004"},
        {4.440892098500626e-16, "4.44089e-16", "4.440892098500626e-16"},
        {9007199254740992.0, "9.0072e+15", "9007199254740992.0"},
        {18014398509481984.0, "1.80144e+16", "1.8014398509481984e+16"},
        {std::nan(""), "nan", "nan"},
        {-infinity, "-inf", "-inf"}};
    for (const auto& [value, g, description] : texts) {
        EXPECT_EQ(CLocaleNumbers::formatG(value), g) << value;
        EXPECT_EQ(CLocaleNumbers::description(value), description) << value;
    }
    // Parsing takes the whole text only.
    const std::vector<std::pair<std::string, double>> numbers = {
        {"0.3", 0.3},     {"-12", -12.0},      {"+4.5", 4.5},         {".5", 0.5},
        {"1e-05", 1e-05}, {"1e999", infinity}, {"-1e999", -infinity}, {"1e-999", 0.0}};
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(CLocaleNumbers::parseDouble(text), number) << text;
    for (const char* bad : {"", " 1", "1 ", "1,5", "0x10", "+-1", "++1", "1.2.3", "abc", "+", "-"})
        EXPECT_FALSE(CLocaleNumbers::parseDouble(bad)) << bad;
}

// Switches the process to a German locale (decimal comma), compiling it into a temporary folder when the
// system has none installed.
bool useGermanLocale(const TemporaryFolder& folder) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
        return true;
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (folder.path() / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.path().c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(CLocaleNumbers, IgnoreTheProcessLocale) {
    TemporaryFolder folder;
    if (!useGermanLocale(folder))
        GTEST_SKIP() << "no German locale available";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%g", 0.5);
    ASSERT_STREQ(printed, "0,5"); // the process locale really is German now
    EXPECT_EQ(CLocaleNumbers::formatG(0.5), "0.5");
    EXPECT_EQ(CLocaleNumbers::parseDouble("0.5"), 0.5);
    EXPECT_FALSE(CLocaleNumbers::parseDouble("0,5"));
    EXPECT_EQ(stepFormatter().stringFromNumber(0.5), "0.5");
    EXPECT_EQ(CLocaleNumbers::description(0.25), "0.25");
    // Property-list reals are written and read with a point as well.
    const std::string xml = *PropertyListCoding::encode(AnyValue(0.5));
    EXPECT_NE(xml.find("<real>0.5</real>"), std::string::npos);
    EXPECT_EQ(PropertyListCoding::decode(xml)->doubleValue(), 0.5);
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

} // namespace
