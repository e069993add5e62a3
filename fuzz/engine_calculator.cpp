// Parser and stochastics calculator on arbitrary input tables. The first byte picks the mode; the
// rest is rows separated by line feeds, each "value<TAB>probability".
//
// Tables whose fields are plain numbers or fractions of two are recomputed here with exact rationals,
// independently of the engine: such a table must be solved exactly when its values are whole numbers
// within ±2^53 (and, for a random variable, its probabilities lie in [0, 1] and add up to 1), every
// number a statistics step computes must lie within half a unit of its last shown place of the exact
// value, and a step whose sign is "=" must show exact values only. Every side of an expansion's or a
// cancellation's "=" chain must have the exact value the field was typed with.
#include "engine/KivoInputManager.h"
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"

#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <regex>
#include <string_view>

namespace {

using Rational = boost::multiprecision::cpp_rational;
using Integer = boost::multiprecision::cpp_int;

std::vector<KivoOmbrel::Row> rowsOf(std::string_view text) {
    std::vector<KivoOmbrel::Row> rows;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            rows.emplace_back(std::string(line), std::string());
        else
            rows.emplace_back(std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return rows;
}

// The terms the calculator works with: the fields it reads, parsed as it parses them (values, and in
// mode 1 each followed by its probability).
std::vector<std::shared_ptr<Digit>> parsedFields(const std::vector<KivoOmbrel::Row>& rows,
                                                 std::int64_t mode) {
    std::vector<std::string> texts;
    for (const KivoOmbrel::Row& row : rows) {
        texts.push_back(row.first);
        if (mode == 1)
            texts.push_back(row.second);
    }
    KivoStringOutput::shared()->solutionSteps.clear();
    const ProcessedInputs parsed =
        KivoInputManager().processInputs(texts, {}, std::vector<std::string>(texts.size()), {}, false, true,
                                         false, FormatMode::formula, "", "", 0, true, {});
    return parsed.allInputs.value_or(std::vector<std::shared_ptr<Digit>>{});
}

bool isFinite(const Digit& term) {
    return std::isfinite(term.z.value_or(0.0)) && std::isfinite(term.n);
}

// A decimal as typed: an optional sign, digits with at most one point, at least one digit.
std::optional<Rational> decimalValue(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Integer digits = 0;
    Integer scale = 1;
    bool anyDigit = false, afterPoint = false;
    for (const char c : text) {
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            anyDigit = true;
            if (afterPoint)
                scale *= 10;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    const Rational value(digits, scale);
    return negative ? Rational(-value) : value;
}

// A field made of one decimal or a fraction of two, parentheses dropped; nothing for anything else
// (constants, letters, empty fields, a zero denominator).
std::optional<Rational> plainValue(std::string text) {
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return decimalValue(text);
    if (text.find('/', slash + 1) != std::string::npos)
        return std::nullopt;
    const std::optional<Rational> numerator = decimalValue(std::string_view(text).substr(0, slash));
    const std::optional<Rational> denominator = decimalValue(std::string_view(text).substr(slash + 1));
    if (!numerator || !denominator || *denominator == 0)
        return std::nullopt;
    return *numerator / *denominator;
}

// The exact statistics of a plain table, or nothing when the table must be refused.
struct Exact {
    std::vector<Rational> values, probabilities;
};

std::optional<Exact> exactTable(const std::vector<KivoOmbrel::Row>& rows, std::int64_t mode, bool& plain) {
    Exact table;
    bool valid = true;
    plain = true;
    for (const KivoOmbrel::Row& row : rows) {
        const std::optional<Rational> value = plainValue(row.first);
        const std::optional<Rational> probability =
            mode == 1 ? plainValue(row.second) : std::optional<Rational>(0);
        if (!value || !probability) {
            plain = false;
            return std::nullopt;
        }
        valid = valid && denominator(*value) == 1 && abs(*value) <= Rational(Integer(1) << 53);
        valid = valid && *probability >= 0 && *probability <= 1;
        table.values.push_back(*value);
        table.probabilities.push_back(*probability);
    }
    if (mode == 0)
        valid = valid && rows.size() >= 2;
    if (mode == 1) {
        Rational sum = 0;
        for (const Rational& p : table.probabilities)
            sum += p;
        valid = valid && sum == 1;
    }
    return valid ? std::optional<Exact>(table) : std::nullopt;
}

// The numbers a step shows, in order, each with its exact value.
std::vector<Rational> shownNumbers(const std::string& latex) {
    static const std::regex number(R"(-?[0-9]+(\.[0-9]+)?)");
    std::vector<Rational> numbers;
    for (auto it = std::sregex_iterator(latex.begin(), latex.end(), number); it != std::sregex_iterator();
         ++it)
        numbers.push_back(*decimalValue(it->str()));
    return numbers;
}

// A shown number against its exact value: within half a unit of the given place, and equal when the
// step says "=".
void check(const Rational& shown, const Rational& exact, int places, bool exactSign) {
    const Rational halfUnit(1, 2 * pow(Integer(10), places));
    if (abs(shown - exact) > halfUnit || (exactSign && shown != exact))
        __builtin_trap();
}

// A shown root against the root of the exact variance.
void checkRoot(const Rational& shown, const Rational& variance, bool exactSign) {
    const Rational halfUnit(1, 200000);
    const Rational low = shown - halfUnit, high = shown + halfUnit;
    if ((low > 0 && low * low > variance) || high * high < variance ||
        (exactSign && shown * shown != variance))
        __builtin_trap();
}

bool signIsExact(const std::string& latex) {
    return latex.find("\\approx") == std::string::npos;
}

// The numbers of step `index` (1-based among the statistics steps), checked in a stride: the entry at
// `first`, `first + stride`, … against `exact`.
void checkList(const std::vector<SolutionStep>& steps, std::size_t index, std::size_t first,
               std::size_t stride, const std::vector<Rational>& exact, std::size_t expectedCount) {
    const std::string& latex = steps.at(index - 1).at("latexString");
    const std::vector<Rational> numbers = shownNumbers(latex);
    if (numbers.size() != expectedCount)
        __builtin_trap();
    for (std::size_t i = 0; i < exact.size(); ++i)
        check(numbers[first + i * stride], exact[i], 5, signIsExact(latex));
}

void checkSample(const std::vector<SolutionStep>& steps, const std::vector<Rational>& x) {
    const std::size_t n = x.size();
    Rational sum = 0;
    for (const Rational& value : x)
        sum += value;
    const Rational mean = sum / n;
    std::vector<Rational> d, q;
    Rational total = 0;
    for (const Rational& value : x) {
        d.push_back(value - mean);
        q.push_back(d.back() * d.back());
        total += q.back();
    }
    const Rational variance = total / (n - 1);
    checkList(steps, 9, 0, 1, {mean}, 1);
    checkList(steps, 15, 2, 2, d, 2 + 2 * n);
    checkList(steps, 16, 2, 1, q, 2 + n);
    checkList(steps, 17, 2, 1, {total}, 3);
    checkList(steps, 18, 2, 1, {total}, 3);
    checkList(steps, 19, 1, 1, {variance}, 2);
    checkList(steps, 22, 0, 1, {variance}, 1);
    const std::string& root = steps.at(22).at("latexString");
    checkRoot(shownNumbers(root).at(0), variance, signIsExact(root));
}

void checkRandomVariable(const std::vector<SolutionStep>& steps, const Exact& table) {
    const std::size_t n = table.values.size();
    std::vector<Rational> e, d, q, r;
    Rational expected = 0, variance = 0;
    for (std::size_t i = 0; i < n; ++i) {
        e.push_back(table.values[i] * table.probabilities[i]);
        expected += e.back();
    }
    for (std::size_t i = 0; i < n; ++i) {
        d.push_back(table.values[i] - expected);
        q.push_back(d.back() * d.back());
        r.push_back(q.back() * table.probabilities[i]);
        variance += r.back();
    }
    checkList(steps, 7, 0, 1, e, n);
    const std::string& result = steps.at(7).at("latexString");
    check(shownNumbers(result).at(0), expected, 10, signIsExact(result));
    checkList(steps, 14, 0, 3, d, 3 * n);
    checkList(steps, 15, 0, 2, q, 2 * n);
    checkList(steps, 16, 0, 1, r, n);
    checkList(steps, 17, 1, 1, {variance}, 2);
    checkList(steps, 20, 0, 1, {variance}, 1);
    const std::string& root = steps.at(20).at("latexString");
    checkRoot(shownNumbers(root).at(0), variance, signIsExact(root));
}

// The exact value of one side of an expansion or a cancellation: a number, or a fraction (perhaps with a
// leading "-") whose parts are a number or a number times or divided by another, negative parts in
// parentheses; the whole may stand in \left( \right). Nothing for any other text.
std::optional<Rational> sideValue(std::string side) {
    static const std::regex fraction(R"(^(-?)\\frac\{([^{}]*)\}\{([^{}]*)\}$)");
    static const std::regex part(
        R"(^\(?(-?[0-9]+(\.[0-9]+)?)\)?( (\\cdot|:) \(?(-?[0-9]+(\.[0-9]+)?)\)?)?$)");
    static const std::regex wrapped(R"(^\\left\((.*)\\right\)$)");
    side.erase(0, std::min(side.find_first_not_of(' '), side.size()));
    side.erase(side.find_last_not_of(' ') + 1);
    std::smatch match;
    if (std::regex_match(side, match, wrapped))
        side = match[1].str();
    if (!std::regex_match(side, match, fraction))
        return decimalValue(side);
    const bool negative = match[1].length() > 0;
    Rational parts[2];
    for (int i = 0; i < 2; ++i) {
        const std::string text = match[2 + i].str();
        std::smatch piece;
        if (!std::regex_match(text, piece, part))
            return std::nullopt;
        parts[i] = *decimalValue(piece[1].str());
        if (piece[3].matched) {
            const Rational other = *decimalValue(piece[5].str());
            if (piece[4].str() != ":")
                parts[i] *= other;
            else if (other != 0)
                parts[i] /= other;
            else
                return std::nullopt;
        }
    }
    if (parts[1] == 0)
        return std::nullopt;
    const Rational value = parts[0] / parts[1];
    return negative ? Rational(-value) : value;
}

// The parser's steps before the statistics: every side of each "=" chain has one exact value, the value
// typed in a field. The expansions come in field order, then the cancellations in field order.
void checkRewritingSteps(const std::vector<SolutionStep>& steps, const std::vector<Rational>& typed) {
    std::size_t nextExpanded = 0, nextCancelled = 0;
    for (const SolutionStep& step : steps) {
        const std::string& latex = step.at("latexString");
        std::optional<Rational> value;
        for (std::size_t start = 0; start <= latex.size();) {
            const std::size_t end = std::min(latex.find('=', start), latex.size());
            const std::optional<Rational> side = sideValue(latex.substr(start, end - start));
            if (!side || (value && *side != *value))
                __builtin_trap();
            value = side;
            start = end + 1;
        }
        std::size_t& next = latex.find(" : ") == std::string::npos ? nextExpanded : nextCancelled;
        while (next < typed.size() && typed[next] != *value)
            ++next;
        if (next == typed.size())
            __builtin_trap();
        ++next;
    }
}

// The steps of the statistics, without what the parser wrote before "Your Input".
std::vector<SolutionStep> statisticsSteps(const std::vector<SolutionStep>& steps, std::size_t count) {
    return {steps.end() - static_cast<std::ptrdiff_t>(count), steps.end()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::int64_t mode = data[0] % 3;
    const std::vector<KivoOmbrel::Row> rows = rowsOf({reinterpret_cast<const char*>(data + 1), size - 1});

    KivoStringOutput::shared()->solutionSteps.clear();
    const CalculatorResult result = KivoOmbrel().readEventsAndProbabilities(rows, mode);

    // Exactly one pair of the result is set, and a solved table has every step of its mode.
    const bool rejected = result.error.has_value() && result.errorIdArray.has_value();
    const bool solved = result.solutionSteps.has_value() && result.inputLatexString.has_value();
    if (rejected == solved || result.error.has_value() != rejected)
        __builtin_trap();
    if (solved && mode != 2 && result.solutionSteps->size() < (mode == 0 ? 24u : 22u))
        __builtin_trap();

    bool plain = false;
    const std::optional<Exact> exact = mode == 2 ? std::nullopt : exactTable(rows, mode, plain);
    if (plain && mode != 2 && solved != exact.has_value())
        __builtin_trap();
    if (!solved)
        return 0;
    KivoStringOutput::beautifyLatex(*result.inputLatexString);
    if (exact) {
        std::vector<Rational> typed;
        for (std::size_t i = 0; i < exact->values.size(); ++i) {
            typed.push_back(exact->values[i]);
            if (mode == 1)
                typed.push_back(exact->probabilities[i]);
        }
        // Everything before "Your Input" and the statistics steps.
        const std::size_t following = mode == 0 ? 24 : 22;
        checkRewritingSteps({result.solutionSteps->begin(), result.solutionSteps->end() - following}, typed);
    }
    if (exact && mode == 0)
        checkSample(statisticsSteps(*result.solutionSteps, 23), exact->values);
    if (exact && mode == 1)
        checkRandomVariable(statisticsSteps(*result.solutionSteps, 21), *exact);

    // No finite input shows an infinity, and mode 1 solves only with probabilities in [0, 1].
    const std::vector<std::shared_ptr<Digit>> terms = parsedFields(rows, mode);
    if (terms.size() != rows.size() * (mode == 1 ? 2 : 1))
        __builtin_trap();
    const bool finiteInput =
        std::all_of(terms.begin(), terms.end(), [](const auto& term) { return isFinite(*term); });
    for (const SolutionStep& step : *result.solutionSteps)
        if (finiteInput && step.at("latexString").find("infty") != std::string::npos)
            __builtin_trap();
    for (std::size_t p = 1; mode == 1 && p < terms.size(); p += 2) {
        const double probability = terms[p]->value().value_or(-1.0);
        if (!(probability >= 0.0 && probability <= 1.0))
            __builtin_trap();
    }
    return 0;
}
