#include "engine/KivoStringOutput.h"

#include "engine/EnglishDecimalText.h"
#include "engine/KivoFormulaUnit.h"
#include "engine/TextUtilities.h"
#include "platform/foundation/CLocaleNumbers.h"

#include <array>
#include <cmath>
#include <utility>

std::shared_ptr<KivoStringOutput> KivoStringOutput::shared() {
    static const std::shared_ptr<KivoStringOutput> instance = std::make_shared<KivoStringOutput>();
    return instance;
}

namespace {

std::string constantsLatex(const std::vector<NaturalConstant>& constants) {
    std::string latex;
    for (const NaturalConstant& constant : constants)
        latex += constant.latex;
    return latex;
}

// A lone "1" or "-1" takes the attachment in place of its digit; anything else gets it appended.
std::string attach(std::string text, const std::string& attachment, const char* separator) {
    if (text == "1" || text == "-1")
        return replacingAll(std::move(text), "1", attachment);
    return text + separator + attachment;
}

std::string withConstants(std::string text, const std::vector<NaturalConstant>& constants) {
    for (const NaturalConstant& constant : constants)
        text = attach(std::move(text), constant.latex, "");
    return text;
}

// The number's text with the constants: a negative one in parentheses unless told otherwise, and a
// lone 1 or -1 given by the constants alone.
std::string numberWithConstants(const std::string& number, const std::vector<NaturalConstant>& constants,
                                bool noParentheses, double value) {
    const std::string k = constantsLatex(constants);
    if (value < 0 && !noParentheses) {
        if (k.empty())
            return "(" + number + ")";
        return value == -1 ? "(-" + k + ")" : "(" + number + k + ")";
    }
    if (k.empty())
        return number;
    return value == 1 ? k : number + k;
}

std::string powerSuffix(double power) {
    if (power == 1.0)
        return {};
    return "^{" + CLocaleNumbers::description(power) + "}";
}

} // namespace

std::string KivoStringOutput::displayString(const std::string& unit,
                                            const std::vector<NaturalConstant>& constants,
                                            const std::string& variable, int maximumFractionDigits,
                                            bool infinityAllowed, bool noParentheses, double value) {
    std::string text;
    if (std::fabs(value) < 1e-10) {
        text = "0";
    } else if (infinityAllowed && std::isinf(value)) {
        text = value > 0 ? "\\infty" : "-\\infty";
    } else {
        text = numberWithConstants(shownDecimalText(value, maximumFractionDigits), constants, noParentheses,
                                   value);
    }
    if (!variable.empty())
        text = attach(std::move(text), variable, " ");
    if (!unit.empty())
        text += " " + unit;
    return text;
}

namespace {

// termLatex with the numbers written by the given writer; shownAsZero decides when the term is "0".
template <typename Writer>
std::string termText(const Digit& d, const std::string& unit, std::optional<bool> parenthesesMode,
                     bool alwaysFraction, bool signedParts, bool shownAsZero, Writer write) {
    const double v = *d.value();
    const double z = *d.z;
    std::string text;
    if (shownAsZero && !signedParts) {
        text = "0";
    } else if (std::isinf(v)) {
        text = v > 0 ? "\\infty" : "-\\infty";
    } else {
        if (!signedParts && ((z < 0 && d.n > 0) || (z > 0 && d.n < 0)))
            text = "-";
        const double shownZ = signedParts ? z : std::fabs(z);
        const double shownN = signedParts ? d.n : std::fabs(d.n);
        std::string numerator = withConstants(write(shownZ), d.zConstants);
        std::string denominator = withConstants(write(shownN), d.nConstants);
        if (d.n == 1 && d.nConstants.empty() && !alwaysFraction)
            text += numerator;
        else
            text += "\\frac{" + numerator + "}{" + denominator + "}";
    }
    if (std::optional<std::string> variablePart = KivoStringOutput::variablePartLatex(d))
        text = attach(std::move(text), *variablePart, " ");
    if (parenthesesMode.value_or(text.starts_with("-")))
        text = "\\left(" + text + "\\right)";
    if (!unit.empty())
        text += " " + unit;
    return text;
}

} // namespace

std::string KivoStringOutput::termLatex(const Digit& d, const std::string& unit,
                                        std::optional<bool> parenthesesMode, bool alwaysFraction,
                                        bool signedParts, int maximumFractionDigits) {
    const std::optional<double> value = d.value();
    if (!value)
        return {};
    return termText(d, unit, parenthesesMode, alwaysFraction, signedParts, std::fabs(*value) < 1e-10,
                    [maximumFractionDigits](double x) { return shownDecimalText(x, maximumFractionDigits); });
}

std::string KivoStringOutput::termLatexInFull(const Digit& d, std::optional<bool> parenthesesMode,
                                              bool signedParts) {
    const std::optional<double> value = d.value();
    if (!value)
        return {};
    return termText(d, "", parenthesesMode, false, signedParts, *value == 0, shortestDecimalText);
}

std::optional<std::string> KivoStringOutput::variablePartLatex(const Digit& d) {
    std::string numeratorPart;
    if (!d.zVariable.empty())
        numeratorPart = d.zVariable + powerSuffix(d.powerOfZVariable);
    else if (d.nVariable.empty())
        return std::nullopt;
    else
        numeratorPart = "1";
    if (d.nVariable.empty())
        return " " + numeratorPart;
    return "\\frac{" + numeratorPart + "}{" + d.nVariable + powerSuffix(d.powerOfNVariable) + "}";
}

std::string KivoStringOutput::cancelledFractionLatex(const Digit& d,
                                                     const std::vector<NaturalConstant>& constants,
                                                     double factor) {
    if (!d.z)
        return {};
    auto shown = [](const std::vector<NaturalConstant>& list, double value) {
        return numberWithConstants(value == 0 ? "0" : shortestDecimalText(value), list, false, value);
    };
    const std::string divisor = shown(constants, factor);
    std::string text = "\\frac{" + shown(d.zConstants, *d.z) + " : " + divisor + "}{" +
                       shown(d.nConstants, d.n) + " : " + divisor + "}";
    if (std::optional<std::string> variablePart = variablePartLatex(d))
        text += *variablePart;
    return text;
}

namespace {

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

void trimSpacesAndTabs(std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(" \t") + 1);
    s.erase(0, first);
}

using Replacement = std::pair<std::string_view, std::string_view>;

template <std::size_t count>
void replaceEach(std::string& s, const std::array<Replacement, count>& replacements) {
    for (const auto& [from, to] : replacements)
        replaceAll(s, from, to);
}

constexpr std::array<Replacement, 10> layoutReplacements{{
    {"  ", " "},
    {"\\quad", "\\quad "},
    {". ", " "},
    {"(", "\\left("},
    {")", "\\right)"},
    {"\\left\\left", "\\left"},
    {"\\right\\right", "\\right"},
    {" 1x", "x"},
    {" 0x", ""},
    {".0\\quad", "\\quad"},
}};

constexpr std::array<Replacement, 11> signReplacements{{
    {"+-", "-"},
    {"-+", "-"},
    {"+ -", "-"},
    {"- +", "-"},
    {"+ +", "+"},
    {"++", "+"},
    {"--", "+"},
    {"- -", "+"},
    {"*", "\\cdot "},
    {"= +", "="},
    {"=+", "="},
}};

constexpr std::array<Replacement, 10> romanNumerals{{
    {"I\\right)", "I)"},
    {"II\\right)", "II)"},
    {"III\\right)", "III)"},
    {"IV\\right)", "IV)"},
    {"V\\right)", "V)"},
    {"VI\\right)", "VI)"},
    {"VII\\right)", "VII)"},
    {"VIII\\right)", "VIII)"},
    {"IX\\right)", "IX)"},
    {"X\\right)", "X)"},
}};

void beautifyPass(std::string& s) {
    trimSpacesAndTabs(s);
    replaceEach(s, layoutReplacements);
    if (s.ends_with(".0"))
        s.erase(s.size() - 2);
    const std::size_t point = s.find(".0");
    if (point != std::string::npos && (point + 2 == s.size() || !isDecimalDigit(s[point + 2])))
        s.erase(point, 2);
    replaceEach(s, signReplacements);
    for (const auto& [from, to] : romanNumerals)
        if (s.starts_with(from))
            replaceAll(s, from, to);
}

} // namespace

std::string KivoStringOutput::beautifyLatex(std::string text) {
    std::string previous;
    do {
        previous = text;
        beautifyPass(text);
    } while (text != previous);
    replaceAll(text, "\\color", "\\;\\color");
    return text;
}

SolutionStep KivoStringOutput::latexStringHasPrefix(SolutionStep step, const std::string& prefix,
                                                    const std::string& appended, const Symbol& symbol) {
    auto latex = step.find("latexString");
    if (latex == step.end() || !latex->second.starts_with(prefix))
        return step;
    latex->second = replacingAll(std::move(latex->second), "\n", " = ") + appended + " " +
                    KivoFormulaUnit::shared()->replaceDefaultUnit(symbol.unit, false);
    return step;
}

std::string KivoStringOutput::dropLastCharacters(long n, std::string_view text) {
    return std::string(text.substr(0, lengthWithoutLastCharacters(n, text)));
}
