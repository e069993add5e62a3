#include "platform/math/MathParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

MathFormula parsed(std::string_view latex) {
    MathParseResult result = MathParser::parse(latex);
    EXPECT_FALSE(result.error) << latex << ": " << (result.error ? result.error->message : "");
    return result.formula.value_or(MathFormula{});
}

MathList row(std::string_view latex) {
    MathFormula formula = parsed(latex);
    EXPECT_EQ(formula.rows.size(), 1u) << latex;
    return formula.rows.empty() ? MathList{} : formula.rows.front();
}

MathParseError failure(std::string_view latex) {
    MathParseResult result = MathParser::parse(latex);
    EXPECT_FALSE(result.formula) << latex << " parsed";
    return result.error.value_or(MathParseError{});
}

constexpr char32_t italicX = 0x1D465;
constexpr char32_t italicI = 0x1D456;
constexpr char32_t minusSign = 0x2212;

} // namespace

TEST(MathParser, LettersAreMathItalicNumbersOneAtomAndMultiByteCharactersRead) {
    const MathList atoms = row("x_i = 4.6");
    ASSERT_EQ(atoms.size(), 3u);
    EXPECT_EQ(atoms[0].nucleus, std::u32string(1, italicX));
    ASSERT_EQ(atoms[0].subscript().size(), 1u);
    EXPECT_EQ(atoms[0].subscript()[0].nucleus, std::u32string(1, italicI));
    EXPECT_EQ(atoms[1].type, MathAtomType::Relation);
    EXPECT_EQ(atoms[2].type, MathAtomType::Ordinary);
    EXPECT_EQ(atoms[2].nucleus, U"4.6");

    const MathList multiByte = row("π ≤ 2·x");
    ASSERT_EQ(multiByte.size(), 5u);
    EXPECT_EQ(multiByte[0].nucleus, U"\U0001D70B");
    EXPECT_EQ(multiByte[1].type, MathAtomType::Relation);
    EXPECT_EQ(multiByte[3].type, MathAtomType::BinaryOperator);
}

TEST(MathParser, ScriptArgumentIsOneTokenOrOneGroup) {
    const MathList power = row("x^{2.0}");
    ASSERT_EQ(power.size(), 1u);
    ASSERT_EQ(power[0].superscript().size(), 1u);
    EXPECT_EQ(power[0].superscript()[0].nucleus, U"2.0");

    const MathList digits = row("x^23");
    ASSERT_EQ(digits.size(), 2u);
    EXPECT_EQ(digits[0].superscript()[0].nucleus, U"2");
    EXPECT_EQ(digits[1].nucleus, U"3");

    // A number with a script does not swallow the digits after it.
    const MathList number = row("10^2 3");
    ASSERT_EQ(number.size(), 2u);
    EXPECT_EQ(number[0].nucleus, U"10");
    EXPECT_EQ(number[1].nucleus, U"3");
}

TEST(MathParser, ClassesOfSymbolsSpacesAndDelimiters) {
    const MathList atoms = row(R"(\quad 0 \le x \; \approx \infty \cdot \sigma \pi)");
    ASSERT_EQ(atoms.size(), 10u);
    EXPECT_EQ(atoms[0].type, MathAtomType::Space);
    EXPECT_EQ(atoms[0].spaceMu, 18);
    EXPECT_EQ(atoms[2].type, MathAtomType::Relation);
    EXPECT_EQ(atoms[4].spaceMu, 5);
    EXPECT_EQ(atoms[5].type, MathAtomType::Relation);
    EXPECT_EQ(atoms[7].type, MathAtomType::BinaryOperator);
    EXPECT_EQ(atoms[9].nucleus, U"\U0001D70B");

    const MathList deviation = row("(-0.6)^2");
    ASSERT_EQ(deviation.size(), 4u);
    EXPECT_EQ(deviation[0].type, MathAtomType::Open);
    EXPECT_EQ(deviation[1].nucleus, std::u32string(1, minusSign));
    EXPECT_EQ(deviation[3].type, MathAtomType::Close);
    EXPECT_EQ(deviation[3].superscript().size(), 1u);

    // Fractions, roots, sums, brackets and line breaks are checked by their layout in the typesetter
    // tests. Any accent character lays out, so the mean's macron is checked here.
    const MathList mean = row(R"(\bar{x})");
    ASSERT_EQ(mean.size(), 1u);
    EXPECT_EQ(mean[0].type, MathAtomType::Accent);
    EXPECT_EQ(mean[0].nucleus, U"\u0304");
    EXPECT_TRUE(row(R"(\prod_{i=1}^{n})")[0].limits);
    const MathList braces = row(R"(\left\{ x \right.)");
    EXPECT_EQ(braces[0].leftDelimiter, U'{');
    EXPECT_EQ(braces[0].rightDelimiter, 0u);
    EXPECT_EQ(row(R"(\{)")[0].type, MathAtomType::Open);
}

TEST(MathParser, TextKeepsSpacesAndColoursNest) {
    const MathList text = row(R"(\text{Mean   value \{1\}})");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].type, MathAtomType::Text);
    EXPECT_EQ(text[0].nucleus, U"Mean value {1}");

    const MathList colored = row(R"(a \color{red}{b \color{#00f}{c}} d)");
    ASSERT_EQ(colored.size(), 4u);
    EXPECT_FALSE(colored[0].color);
    EXPECT_EQ(colored[1].color, 0xFF0000FFu);
    EXPECT_EQ(colored[2].color, 0x0000FFFFu);
    EXPECT_FALSE(colored[3].color);
}

TEST(MathParser, MalformedInputIsAnErrorWithItsPlace) {
    EXPECT_EQ(failure(R"(x + \foo y)").message, "unknown command \\foo");
    EXPECT_EQ(failure(R"(x + \foo y)").offset, 8u);
    EXPECT_EQ(failure("{x").message, "missing }");
    EXPECT_EQ(failure("x}").message, "unbalanced }");
    EXPECT_EQ(failure(R"(\left( x)").message, "missing \\right");
    EXPECT_EQ(failure(R"(x \right))").message, "\\right without \\left");
    EXPECT_EQ(failure(R"(\left< x \right>)").message, "unknown delimiter");
    EXPECT_EQ(failure("x^2^3").message, "double superscript");
    EXPECT_EQ(failure("x_1_2").message, "double subscript");
    EXPECT_EQ(failure(R"(\frac{1})").message, "missing argument");
    EXPECT_EQ(failure("x^").message, "missing argument");
    EXPECT_EQ(failure("x\\").message, "lone backslash at the end");
    EXPECT_EQ(failure(R"({a \\ b})").message, "line break inside a group");
    EXPECT_EQ(failure(R"(\color{nocolor}{x})").message, "unknown colour");
    EXPECT_EQ(failure(R"(\text{a \alpha})").message, "unknown command \\alpha in text");
    EXPECT_EQ(failure("50%").message, "unexpected character");
    EXPECT_EQ(failure("a & b").message, "unexpected character");
    EXPECT_EQ(failure("x\x01").message, "unexpected character");
    EXPECT_EQ(failure("\xC3").message, "invalid UTF-8");
    EXPECT_EQ(failure("\xC0\xAF").message, "invalid UTF-8");     // overlong '/'
    EXPECT_EQ(failure("\xED\xA0\x80").message, "invalid UTF-8"); // surrogate
    EXPECT_EQ(failure("ab\xF0\x9F").offset, 2u);
}

TEST(MathParser, NestingAndLengthAreBounded) {
    const int depth = MathParser::maximumDepth;
    EXPECT_TRUE(MathParser::parse(std::string(depth, '{') + "x" + std::string(depth, '}')).formula);
    EXPECT_EQ(failure(std::string(depth + 1, '{') + "x" + std::string(depth + 1, '}')).message,
              "formula nested too deeply");
    std::string fractions;
    for (int i = 0; i < 100000; ++i)
        fractions += "\\frac{1}{";
    EXPECT_EQ(failure(fractions).message, "formula nested too deeply");
    EXPECT_EQ(failure(std::string(100000, '{')).message, "formula nested too deeply");
    EXPECT_EQ(failure(R"(\text{)" + std::string(100000, '{')).message, "formula nested too deeply");

    EXPECT_EQ(failure(std::string(MathParser::maximumLength + 1, '1')).message, "formula too long");
    const MathFormula longest = parsed(std::string(MathParser::maximumLength, '1'));
    EXPECT_EQ(longest.rows[0].size(), 1u);
}
