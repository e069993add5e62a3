#include "EngineTestEnvironment.h"

#include <cmath>
#include <limits>

namespace {

std::string shown(double x, bool noParentheses = false, std::vector<NaturalConstant> constants = {}) {
    return KivoStringOutput::displayString("", constants, "", 10, true, noParentheses, x);
}

Digit term(double z, double n = 1.0) {
    return Digit(z, n);
}

std::string latex(const Digit& d, std::optional<bool> parentheses = false, bool signedParts = false) {
    return KivoStringOutput::termLatex(d, "", parentheses, false, signedParts, 10);
}

TEST(DisplayString, NumbersInEnglishDecimalStyleConstantsVariablesAndUnits) {
    EXPECT_EQ(shown(1e-11), "0");
    EXPECT_EQ(shown(-1e-11), "0");
    EXPECT_EQ(shown(1234567.5), "1234567.5");
    EXPECT_EQ(shown(1.0 / 3), "0.3333333333");
    EXPECT_EQ(shown(0.30000000000000004), "0.3");
    EXPECT_EQ(shown(-2.5), "(-2.5)");
    EXPECT_EQ(shown(-2.5, true), "-2.5");
    EXPECT_EQ(shown(std::nan("")), "NaN");
    // At most 15 significant digits, but a whole number up to 2^53 in full.
    EXPECT_EQ(shown(1234567.123456789), "1234567.12345679");
    EXPECT_EQ(shown(12345678901234567890.0), "12345678901234600000");
    EXPECT_EQ(shown(9007199254740991.0), "9007199254740991");
    // Only a true infinity is written as infinity.
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(shown(infinity), "\\infty");
    EXPECT_EQ(shown(-infinity), "-\\infty");
    EXPECT_EQ(KivoStringOutput::displayString("", {}, "", 10, false, false, infinity), "\u221e");
    EXPECT_EQ(shown(2e12), "2000000000000");
    EXPECT_EQ(shown(-2e12), "(-2000000000000)");
    EXPECT_EQ(shown(1.7e308), "17" + std::string(307, '0'));
    const std::vector<NaturalConstant> pi{NaturalConstant::pi};
    EXPECT_EQ(shown(1, false, pi), "\\pi");
    EXPECT_EQ(shown(2, false, pi), "2\\pi");
    EXPECT_EQ(shown(-1, false, pi), "(-\\pi)");
    EXPECT_EQ(shown(-2, false, pi), "(-2\\pi)");
    EXPECT_EQ(shown(2, false, {NaturalConstant::pi, NaturalConstant::e}), "2\\pie");
    EXPECT_EQ(KivoStringOutput::displayString("", {}, "x", 10, true, true, -1), "-x");
    EXPECT_EQ(KivoStringOutput::displayString("", {}, "x", 10, true, false, 3), "3 x");
    EXPECT_EQ(KivoStringOutput::displayString("cm", {}, "", 2, true, false, 2.345), "2.34 cm");
}

TEST(TermLatex, FractionsSignsParenthesesAndNumbersInFull) {
    EXPECT_EQ(latex(term(3, 4)), "\\frac{3}{4}");
    EXPECT_EQ(latex(term(-3, 4)), "-\\frac{3}{4}");
    EXPECT_EQ(latex(term(-3, 4), std::nullopt), "\\left(-\\frac{3}{4}\\right)");
    EXPECT_EQ(latex(term(3, 4), true), "\\left(\\frac{3}{4}\\right)");
    EXPECT_EQ(latex(term(-3, -4)), "\\frac{3}{4}");
    EXPECT_EQ(latex(term(-3, 4), false, true), "\\frac{-3}{4}");
    EXPECT_EQ(latex(term(5)), "5");
    EXPECT_EQ(latex(Digit()), "");
    EXPECT_EQ(latex(term(0, 7)), "0");
    EXPECT_EQ(latex(term(0, 7), false, true), "\\frac{0}{7}");
    EXPECT_EQ(latex(term(-0.0, 7), false, true), "\\frac{-0}{7}");
    EXPECT_EQ(latex(term(3, -1)), "-\\frac{3}{1}");
    EXPECT_EQ(latex(term(3, -1), false, true), "\\frac{3}{-1}");
    EXPECT_EQ(KivoStringOutput::termLatex(term(5), "m", false, true, false, 10), "\\frac{5}{1} m");
    EXPECT_EQ(latex(term(3e13)), "30000000000000");
    EXPECT_EQ(latex(term(-3e13), std::nullopt), "\\left(-30000000000000\\right)");
    EXPECT_EQ(latex(term(std::numeric_limits<double>::infinity(), 2)), "\\infty");
    EXPECT_EQ(latex(term(1, 123456.7)), "\\frac{1}{123456.7}");
    EXPECT_EQ(latex(term(1, 0.1234567)), "\\frac{1}{0.1234567}");
    EXPECT_EQ(latex(term(1234567.25, 2)), "\\frac{1234567.25}{2}");
    EXPECT_EQ(latex(term(1, 1234567.0)), "\\frac{1}{1234567}");
    EXPECT_EQ(latex(term(1, 0.00002)), "\\frac{1}{0.00002}");
}

TEST(TermLatex, ConstantsAndVariables) {
    // The value counts constants but not variables.
    EXPECT_FALSE(Digit(std::nullopt, 4).value().has_value());
    EXPECT_EQ(termWithConstants(2, 4, {NaturalConstant::pi}).value(), 1.5707963267948966);
    EXPECT_EQ(termWithConstants(2, 1, {}, {NaturalConstant::pi}).value(), 2 / 3.141592653589793);
    EXPECT_EQ(termWithVariables(3, 1, "x", 1).value(), 3.0);
    EXPECT_EQ(latex(termWithConstants(2, 4, {NaturalConstant::pi})), "\\frac{2\\pi}{4}");
    EXPECT_EQ(latex(termWithConstants(1, 1, {NaturalConstant::pi})), "\\pi");
    EXPECT_EQ(latex(termWithConstants(2, 1, {}, {NaturalConstant::e})), "\\frac{2}{e}");

    EXPECT_EQ(KivoStringOutput::variablePartLatex(termWithVariables(3, 1, "x", 1)), " x");
    EXPECT_EQ(latex(termWithVariables(3, 1, "x", 1)), "3  x");
    EXPECT_EQ(latex(termWithVariables(1, 1, "x", 1)), " x");
    EXPECT_EQ(KivoStringOutput::variablePartLatex(termWithVariables(2, 3, "x", 2, "y", 1)),
              "\\frac{x^{2.0}}{y}");
    EXPECT_EQ(KivoStringOutput::variablePartLatex(termWithVariables(2, 1, "", 0, "y", 0.5)),
              "\\frac{1}{y^{0.5}}");
    EXPECT_EQ(KivoStringOutput::variablePartLatex(term(2)), std::nullopt);
}

TEST(BeautifyLatex, DecimalZerosSignsSpacesParenthesesAndRomanNumerals) {
    const std::pair<const char*, const char*> cases[] = {
        {"x_i = [4;5;3;7;4] \\\\ P(X = x_i) = [0.3;0.25;0.4;0.04;0.01]",
         "x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3;0.25;0.4;0.04;0.01]"},
        // Already beautified text stays as it is.
        {"x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3]",
         "x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3]"},
        {"x = 5.0", "x = 5"},
        {"2.0;3", "2;3"},
        {"0.05", "0.05"},
        {"1.0;2.0;3.0", "1;2;3"},
        {"a--b", "a+b"},
        {"3*x", "3\\cdot x"},
        {"a +- b = +c", "a - b =c"},
        {" \t a   b \t", "a b"},
        {"2 1x + 3 0x", "2x + 3"},
        {"a\\quad b", "a\\quad  b"},
        {"\\color{red}x", "\\;\\color{red}x"},
        {"", ""},
        {"II) x (a)", "II) x \\left(a\\right)"},
        {"x (II)", "x \\left(II\\right)"},
    };
    for (const auto& [text, beautified] : cases)
        EXPECT_EQ(KivoStringOutput::beautifyLatex(text), beautified) << text;
}

TEST(DropLastCharacters, CountsUserPerceivedCharacters) {
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(1, "4;5;"), "4;5");
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(2, "ab"), "");
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(3, "ab"), "");
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(0, "ab"), "ab");
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(1, "xe\u0301"), "x");
    EXPECT_EQ(KivoStringOutput::dropLastCharacters(1, "a\u03c0"), "a");
}

} // namespace
