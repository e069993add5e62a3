#include "engine/KivoOmbrel.h"

#include "engine/DeviationRounding.h"
#include "engine/KivoInputManager.h"
#include "engine/LocalizedString.h"
#include "engine/RoundToDecimalPlaces.h"
#include "engine/TextUtilities.h"
#include "engine/TypedNumber.h"

#include <charconv>
#include <cmath>

namespace {

using Integer = ExactNumber::Integer;

std::string fmt(double x) {
    return KivoStringOutput::displayString("", {}, "", 10, true, false, x);
}

std::string fmtNP(double x) {
    return KivoStringOutput::displayString("", {}, "", 10, true, true, x);
}

// Appends scaled / 10^places as fmt writes it, a negative number in parentheses when asked.
void appendFmt(std::string& text, const Integer& scaled, unsigned places, bool parentheses) {
    const bool wrapped = parentheses && scaled < 0;
    if (wrapped)
        text += '(';
    ExactNumber::appendDecimalText(text, scaled, places);
    if (wrapped)
        text += ')';
}

// An exact number as fmt writes a number: rounded half to even at ten fraction digits, "0" below
// 10^-10 in magnitude, every integer digit.
std::string fmt(const ExactNumber& x, bool parentheses = true) {
    const ExactNumber::Rounded rounded = x.roundedHalfToEven(10);
    // Only a number that rounds to at most one unit of the last place can lie below it.
    if (abs(rounded.scaled) <= 1 && abs(x.numerator()) * ExactNumber::powerOfTen(10) < x.denominator())
        return "0";
    std::string text;
    appendFmt(text, rounded.scaled, 10, parentheses);
    return text;
}

std::string fmt(const Integer& x) {
    std::string text;
    appendFmt(text, x, 0, true);
    return text;
}

// A number rounded at five places, as fmt writes it.
std::string fmt5(const ExactNumber::Rounded& x, bool parentheses = true) {
    std::string text;
    appendFmt(text, x.scaled, 5, parentheses);
    return text;
}

const char* sign(bool approximate) {
    return approximate ? "\\approx" : "=";
}

// The text of one list step: a prefix, then terms that each end in their separator; the final
// separator character is dropped and the suffix follows. Built in place, as lists grow with the table.
class StepList {
  public:
    explicit StepList(std::string_view prefix) : text_(prefix) {}

    template <typename... Parts> void add(const Parts&... parts) {
        (text_.append(std::string_view(parts)), ...);
    }
    std::string finish(std::string_view suffix = {}) && {
        text_.resize(lengthWithoutLastCharacters(1, text_));
        text_.append(suffix);
        return std::move(text_);
    }

  private:
    std::string text_;
};

// The row number as a subscript: from 10 on in braces, so that all its digits are subscript.
std::string index(std::size_t i) {
    char text[24] = "{";
    char* const end = std::to_chars(text + 1, text + sizeof text - 1, i + 1).ptr;
    if (i + 1 < 10)
        return {text + 1, end};
    *end = '}';
    return {text, end + 1};
}

bool hasVariable(const Digit& term) {
    return !term.zVariable.empty() || !term.nVariable.empty();
}

// A value with a constant or a letter must be a plain whole number once the parser has cancelled it: no
// constant, no letter, a denominator of 1.
bool isWholeNumber(const Digit& term) {
    return term.zConstants.empty() && term.nConstants.empty() && !hasVariable(term) && term.n == 1.0 &&
           *term.z == std::trunc(*term.z);
}

// Values lie within ±2^53, where a double holds every whole number.
const double largestValue = 9007199254740992.0;

// A value field read: whole or not, within the range or not, and the value when both.
struct ValueReading {
    bool isWhole = false;
    bool isInRange = false;
    std::int64_t value = 0;
};

// The exact number typed decides; a field with a constant or a letter is judged on its parsed term.
ValueReading readValue(const std::optional<ExactNumber>& typed, const Digit& term) {
    if (typed) {
        if (!typed->isInteger())
            return {};
        const Integer whole = typed->truncated();
        if (abs(whole) > static_cast<std::int64_t>(largestValue))
            return {true, false, 0};
        return {true, true, whole.convert_to<std::int64_t>()};
    }
    if (!isWholeNumber(term))
        return {};
    if (!(std::fabs(*term.z) <= largestValue))
        return {true, false, 0};
    return {true, true, static_cast<std::int64_t>(*term.z)};
}

bool isOutsideZeroToOne(const std::optional<ExactNumber>& typed, const Digit& term) {
    if (typed)
        return typed->sign() < 0 || ExactNumber(1).isBelow(*typed);
    const double p = *term.value();
    return !(p >= 0.0 && p <= 1.0);
}

CalculatorResult rejected(std::string error, std::vector<std::string> fieldIds) {
    CalculatorResult result;
    result.error = std::move(error);
    result.errorIdArray = std::move(fieldIds);
    return result;
}

struct RandomVariableRow {
    std::string x;
    std::string p;
    std::string product;
    std::string deviation;
    std::string square;
    std::string weightedSquare;
};

// What the steps of mode 1 show besides the rows, and the flags of their signs.
struct RandomVariableResult {
    std::vector<RandomVariableRow> rows;
    std::string expected;
    bool expectedApproximate = false; // E(X) as shown differs from its exact value
    bool productsApproximate = false;
    bool deviationsApproximate = false;
    bool squaresApproximate = false;
    bool weightedApproximate = false;
    std::string variance;
    bool varianceApproximate = false;
    std::string deviation;
    bool deviationApproximate = false;
};

// Double arithmetic, kept for a table whose probabilities hold π or e (they have no exact value).
RandomVariableResult inDoubles(const std::vector<EventRow>& rows) {
    const std::size_t n = rows.size();
    RandomVariableResult result;
    result.rows.resize(n);
    double E = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(rows[i].value);
        const double p = rows[i].probability.value_or(0.0);
        const RoundedValue e5 = roundToDecimalPlaces(5, x * p);
        result.productsApproximate = result.productsApproximate || e5.isApproximate;
        E += x * p;
        result.rows[i].x = fmt(x);
        result.rows[i].p = fmt(p);
        result.rows[i].product = fmtNP(e5.rounded);
    }
    double V = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(rows[i].value) - E;
        const RoundedValue d5 = roundToDecimalPlaces(5, d);
        const RoundedValue q5 = roundToDecimalPlaces(5, d * d);
        const double r = d * d * rows[i].probability.value_or(0.0);
        const RoundedValue r5 = roundToDecimalPlaces(5, r);
        V += r;
        result.deviationsApproximate = result.deviationsApproximate || d5.isApproximate;
        result.squaresApproximate = result.squaresApproximate || q5.isApproximate;
        result.weightedApproximate = result.weightedApproximate || r5.isApproximate;
        result.rows[i].deviation = fmtNP(d5.rounded);
        result.rows[i].square = fmt(q5.rounded);
        result.rows[i].weightedSquare = fmt(r5.rounded);
    }
    const RoundedValue V5 = roundToDecimalPlaces(5, V);
    const RoundedValue s5 = roundToDecimalPlaces(5, std::pow(V, 0.5));
    result.expected = fmt(E);
    result.variance = fmt(V5.rounded);
    result.varianceApproximate = V5.isApproximate;
    result.deviation = fmt(s5.rounded);
    result.deviationApproximate = s5.isApproximate;
    return result;
}

// Every number exact.
RandomVariableResult exactly(const std::vector<EventRow>& rows) {
    const std::size_t n = rows.size();
    RandomVariableResult result;
    result.rows.resize(n);
    std::vector<ExactNumber> products, squareProducts;
    products.reserve(n);
    squareProducts.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Integer x = rows[i].value;
        const ExactNumber& p = *rows[i].exactProbability;
        products.emplace_back(x * p.numerator(), p.denominator());
        squareProducts.emplace_back(x * x * p.numerator(), p.denominator());
        const ExactNumber::Rounded e5 = products.back().roundedHalfAwayFromZero(5);
        result.productsApproximate = result.productsApproximate || !e5.isExact;
        result.rows[i].x = fmt(x);
        result.rows[i].p = fmt(p);
        result.rows[i].product = fmt5(e5, false);
    }
    const ExactNumber E = ExactNumber::sum(products);
    const DeviationRounding deviations(E);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [d5, q5, r5] = deviations.row(rows[i].value, *rows[i].exactProbability);
        result.deviationsApproximate = result.deviationsApproximate || !d5.isExact;
        result.squaresApproximate = result.squaresApproximate || !q5.isExact;
        result.weightedApproximate = result.weightedApproximate || !r5.isExact;
        result.rows[i].deviation = fmt5(d5, false);
        result.rows[i].square = fmt5(q5);
        result.rows[i].weightedSquare = fmt5(r5);
    }
    // The sum of p_i (x_i - E)^2 is the sum of p_i x_i^2 less E^2, as the probabilities add up to 1.
    const ExactNumber V = ExactNumber::sum(squareProducts) - E * E;
    const ExactNumber::Rounded V5 = V.roundedHalfAwayFromZero(5);
    const ExactNumber::Rounded s5 = V.squareRootRoundedHalfAwayFromZero(5);
    result.expected = fmt(E);
    result.expectedApproximate = !E.roundedHalfToEven(10).isExact;
    result.variance = fmt5(V5);
    result.varianceApproximate = !V5.isExact;
    result.deviation = fmt5(s5);
    result.deviationApproximate = !s5.isExact;
    return result;
}

} // namespace

CalculatorResult KivoOmbrel::readEventsAndProbabilities(const std::vector<Row>& allFields,
                                                        std::int64_t mode) {
    operation->withFraction = false;

    std::vector<std::string> texts;
    std::vector<std::string> fieldIds;
    for (std::size_t i = 0; i < allFields.size(); ++i) {
        texts.push_back(allFields[i].first);
        fieldIds.push_back("event" + std::to_string(i));
        if (mode == 1) {
            texts.push_back(allFields[i].second);
            fieldIds.push_back("probability" + std::to_string(i));
        }
    }

    KivoInputManager parser;
    ProcessedInputs processed = parser.processInputs(texts, {}, fieldIds, {}, false, true, false,
                                                     FormatMode::formula, "", "", 0, true, {});
    if (processed.error)
        return rejected(*processed.error, processed.errorFieldIds.value_or(std::vector<std::string>{}));

    std::vector<EventRow> rows;
    rows.reserve(allFields.size());
    const std::vector<std::shared_ptr<Digit>>& terms = *processed.allInputs;
    for (std::size_t p = 0; p < terms.size(); ++p)
        if (!classifyInputKeys(p, *terms[p], fieldIds, rows))
            return rejected("inputParameterError", {fieldIds[p]});
    std::vector<std::optional<ExactNumber>> typed;
    typed.reserve(texts.size());
    for (const std::string& text : texts)
        typed.push_back(typedNumber(text));

    // The identifiers of the fields of one kind ("event" or "probability") that are faulty.
    auto faultyFields = [&](std::string_view kind, auto isFaulty) {
        std::vector<std::string> faulty;
        for (std::size_t p = 0; p < terms.size(); ++p)
            if (fieldIds[p].starts_with(kind) && isFaulty(p))
                faulty.push_back(fieldIds[p]);
        return faulty;
    };
    std::vector<ValueReading> values(terms.size());
    for (std::size_t p = 0; p < terms.size(); ++p)
        if (fieldIds[p].starts_with("event"))
            values[p] = readValue(typed[p], *terms[p]);
    if (auto fields = faultyFields("event", [&](std::size_t p) { return !values[p].isWhole; });
        !fields.empty())
        return rejected("valueMustBeWholeNumber", std::move(fields));
    if (auto fields = faultyFields("event", [&](std::size_t p) { return !values[p].isInRange; });
        !fields.empty())
        return rejected("valueOutOfRange", std::move(fields));
    const std::size_t fieldsPerRow = mode == 1 ? 2 : 1;
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row].value = values[row * fieldsPerRow].value;
    if (mode == 0 && rows.size() == 1)
        return rejected("sampleNeedsTwoValues", {fieldIds.front()});
    if (mode == 1) {
        if (auto fields = faultyFields("probability", [&](std::size_t p) { return hasVariable(*terms[p]); });
            !fields.empty())
            return rejected("inputParameterError", std::move(fields));
        if (auto fields = faultyFields(
                "probability", [&](std::size_t p) { return isOutsideZeroToOne(typed[p], *terms[p]); });
            !fields.empty())
            return rejected("probabilityOutOfRange", std::move(fields));
        // A probability holding π or e has no exact reading; such a table keeps the double sum.
        bool exact = true;
        for (std::size_t row = 0; row < rows.size(); ++row)
            exact = exact && typed[2 * row + 1].has_value();
        if (exact) {
            std::vector<ExactNumber> probabilities;
            for (std::size_t row = 0; row < rows.size(); ++row)
                probabilities.push_back(std::move(*typed[2 * row + 1]));
            if (!(ExactNumber::sum(probabilities) == ExactNumber(1)))
                return rejected("sumOfProbabilitiesMustBe1", elementsAtOddPositions(fieldIds));
            for (std::size_t row = 0; row < rows.size(); ++row)
                rows[row].exactProbability = std::move(probabilities[row]);
        } else {
            double total = 0.0;
            for (const EventRow& row : rows)
                total += *row.probability;
            if (total != 1.0)
                return rejected("sumOfProbabilitiesMustBe1", elementsAtOddPositions(fieldIds));
        }
    }

    std::string inputLatex = inputEchoStep(mode, allFields);
    selectStatistics(mode, rows);

    CalculatorResult result;
    result.solutionSteps = output->solutionSteps;
    result.inputLatexString = std::move(inputLatex);
    return result;
}

bool KivoOmbrel::classifyInputKeys(std::size_t position, const Digit& term,
                                   const std::vector<std::string>& fieldIds, std::vector<EventRow>& rows) {
    if (position >= fieldIds.size())
        return true;
    const std::string& id = fieldIds[position];
    const bool isProbability = id.starts_with("probability");
    const std::size_t prefixLength =
        isProbability ? std::string_view("probability").size() : std::string_view("event").size();
    if (id.size() <= prefixLength)
        return true;
    const std::optional<std::int64_t> k = parseInt64(std::string_view(id).substr(prefixLength));
    if (!k || *k < 0)
        return true;
    const auto row = static_cast<std::size_t>(*k);
    if (row >= rows.size())
        rows.push_back(EventRow{});
    if (row >= rows.size())
        return true;

    if (isProbability) {
        const std::optional<double> value = term.value();
        if (!value)
            return false;
        rows[row].probability = value;
        return true;
    }
    // The value itself is filed once it has passed the whole-number and range checks.
    return term.z.has_value();
}

std::vector<std::string> KivoOmbrel::elementsAtOddPositions(const std::vector<std::string>& list) {
    std::vector<std::string> odd;
    for (std::size_t i = 1; i < list.size(); i += 2)
        odd.push_back(list[i]);
    return odd;
}

std::string KivoOmbrel::inputEchoStep(std::int64_t mode, const std::vector<Row>& rows) {
    StepList values("x_i = [");
    for (const Row& row : rows)
        values.add(row.first, ";");
    std::string latex = std::move(values).finish("] ");

    if (mode == 1) {
        StepList probabilities("\\\\ P(X = x_i) = [");
        for (const Row& row : rows)
            probabilities.add(row.second, ";");
        latex += std::move(probabilities).finish("]");
    }

    output->solutionSteps.push_back(makeSolutionStep(LocalizedString::yourInput(), latex));
    return latex;
}

void KivoOmbrel::selectStatistics(std::int64_t mode, const std::vector<EventRow>& rows) {
    if (mode == 1) {
        randomVariableStatisticsSteps(rows);
    } else if (mode == 0) {
        std::vector<std::int64_t> values;
        values.reserve(rows.size());
        for (const EventRow& row : rows)
            values.push_back(row.value);
        sampleStatisticsSteps(values);
    }
}

void KivoOmbrel::sampleStatisticsSteps(const std::vector<std::int64_t>& values) {
    if (values.size() < 2)
        return;
    const std::size_t n = values.size();
    const std::string N = std::to_string(n);
    Integer S = 0;
    for (std::int64_t x : values)
        S += x;
    // With m = S / n: d_i = (n x_i - S) / n, q_i its square, Q and V over n^2 and n^2 (n - 1).
    const Integer count = n;
    const Integer squaredCount = count * count;
    const ExactNumber::Rounded mean = ExactNumber(S, count).roundedHalfAwayFromZero(5);
    const std::string m5 = fmt5(mean);

    const std::string mean1 = "= \\frac{1}{" + N + "} \\cdot ";
    const std::string variance1 = "= \\frac{1}{" + N + " - 1} \\cdot ";
    StepList names(mean1 + "("), xs(mean1 + "("), namedDeviations(variance1 + "("),
        deviationTerms(variance1 + "(");
    // Their signs are known once every row is rounded.
    StepList deviations(""), squares("");
    bool deviationsApproximate = !mean.isExact;
    bool squaresApproximate = false;
    Integer sumOfSquares = 0;
    std::string x, deviationText, squareText; // one row's numbers, their room kept from row to row
    for (std::size_t i = 0; i < n; ++i) {
        Integer deviation = count * values[i] - S;
        Integer square = deviation * deviation;
        sumOfSquares += square;
        const ExactNumber::Rounded d5 = ExactNumber(std::move(deviation), count).roundedHalfAwayFromZero(5);
        const ExactNumber::Rounded q5 =
            ExactNumber(std::move(square), squaredCount).roundedHalfAwayFromZero(5);
        deviationsApproximate = deviationsApproximate || !d5.isExact;
        squaresApproximate = squaresApproximate || !q5.isExact;
        x.clear();
        appendFmt(x, values[i], 0, true);
        deviationText.clear();
        appendFmt(deviationText, d5.scaled, 5, false);
        squareText.clear();
        appendFmt(squareText, q5.scaled, 5, true);

        const std::string number = index(i);
        names.add("x_", number, " +");
        xs.add(x, " +");
        namedDeviations.add("(x_", number, " - ", m5, ")^2 +");
        deviationTerms.add("(", x, " - ", m5, ")^2 +");
        deviations.add("(", deviationText, ")^2 +");
        squares.add(squareText, " +");
    }
    const ExactNumber::Rounded Q5 = ExactNumber(sumOfSquares, squaredCount).roundedHalfAwayFromZero(5);
    const std::string K = std::to_string(n - 1);
    const ExactNumber V(sumOfSquares, squaredCount * (count - 1));
    const ExactNumber::Rounded V5 = V.roundedHalfAwayFromZero(5);
    const ExactNumber::Rounded s5 = V.squareRootRoundedHalfAwayFromZero(5);
    const bool A1 = deviationsApproximate;
    const bool A2 = A1 || squaresApproximate;
    const bool A3 = A2 || !Q5.isExact;
    const bool A4 = A3 || !V5.isExact;
    const std::string varianceK = "\\frac{1}{" + K + "} \\cdot ";

    std::vector<SolutionStep>& steps = output->solutionSteps;
    steps.push_back(makeSolutionStep(LocalizedString::sampleSize(), "n = " + N));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(
        makeSolutionStep(LocalizedString::mean(), "\\bar{x} = \\frac{1}{n} \\cdot \\sum_{i=1}^{n} x_i"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(), mean1 + "\\sum_{i=1}^{" + N + "} x_i"));
    steps.push_back(makeSolutionStep("", std::move(names).finish(")")));
    steps.push_back(makeSolutionStep("", std::move(xs).finish(")")));
    steps.push_back(makeSolutionStep(LocalizedString::calculateVerb(), mean1 + "(" + fmt(S) + ")"));
    steps.push_back(makeSolutionStep("", mean1 + fmt(S)));
    steps.push_back(makeSolutionStep(LocalizedString::result(),
                                     "\\bar{x} " + std::string(sign(!mean.isExact)) + " " + m5));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(makeSolutionStep(LocalizedString::empiricalVariance(),
                                     "s^2 = \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(),
                                     variance1 + "\\sum_{i=1}^{" + N + "} (x_i - " + m5 + ")^2"));
    steps.push_back(makeSolutionStep("", std::move(namedDeviations).finish(")")));
    steps.push_back(makeSolutionStep("", std::move(deviationTerms).finish(")")));
    steps.push_back(makeSolutionStep(LocalizedString::calculateVerb(),
                                     sign(A1) + varianceK + "(" + std::move(deviations).finish(")")));
    steps.push_back(makeSolutionStep("", sign(A2) + varianceK + "(" + std::move(squares).finish(")")));
    steps.push_back(makeSolutionStep("", sign(A3) + (" " + varianceK) + "(" + fmt5(Q5) + ")"));
    steps.push_back(makeSolutionStep("", sign(A3) + (" " + varianceK) + fmt5(Q5)));
    steps.push_back(
        makeSolutionStep(LocalizedString::result(), "s^2 " + std::string(sign(A4)) + " " + fmt5(V5)));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(
        makeSolutionStep(LocalizedString::standardDeviation(),
                         "s = \\sqrt{ \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2 }"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(), sign(A4) + (" \\sqrt{ " + fmt5(V5)) + " }"));
    steps.push_back(makeSolutionStep(LocalizedString::result(),
                                     "s " + std::string(sign(A4 || !s5.isExact)) + " " + fmt5(s5)));
}

void KivoOmbrel::randomVariableStatisticsSteps(const std::vector<EventRow>& rows) {
    if (rows.empty())
        return;
    const std::size_t n = rows.size();
    const std::string N = std::to_string(n);
    const bool exact = std::all_of(rows.begin(), rows.end(),
                                   [](const EventRow& row) { return row.exactProbability.has_value(); });
    const RandomVariableResult result = exact ? exactly(rows) : inDoubles(rows);
    const std::vector<RandomVariableRow>& shown = result.rows;
    const std::string& expected = result.expected;
    const bool F1 = result.productsApproximate;
    const bool F2 = F1 || result.deviationsApproximate;
    const bool F3 = F2 || result.squaresApproximate;
    const bool F4 = F3 || result.weightedApproximate;
    const bool F5 = F4 || result.varianceApproximate;

    StepList names("= "), terms("= "), products5(sign(F1)), namedDeviations("= "), deviationTerms("= ");
    StepList deviations(sign(F2)), squares(sign(F3)), weighted(sign(F4));
    for (std::size_t i = 0; i < n; ++i) {
        const RandomVariableRow& row = shown[i];
        const std::string number = index(i);
        names.add("x_", number, " \\cdot P(X = x_", number, ") +");
        terms.add(row.x, " \\cdot ", row.p, " +");
        products5.add(row.product, " +");
        namedDeviations.add("(x_", number, " - ", expected, ")^2 \\cdot P(X=x_", number, ") +");
        deviationTerms.add("(", row.x, " - ", expected, ")^2 \\cdot ", row.p, " +");
        deviations.add("(", row.deviation, ")^2 \\cdot ", row.p, " +");
        squares.add(row.square, " \\cdot ", row.p, " +");
        weighted.add(row.weightedSquare, " +");
    }

    std::vector<SolutionStep>& steps = output->solutionSteps;
    steps.push_back(makeSolutionStep(LocalizedString::sampleSize(), "n = " + N));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(
        makeSolutionStep(LocalizedString::expectedValue(), "E(X) = \\sum_{i=1}^{n} x_i \\cdot P(X = x_i)"));
    steps.push_back(
        makeSolutionStep(LocalizedString::insert(), "= \\sum_{i=1}^{" + N + "} x_i \\cdot P(X = x_i)"));
    steps.push_back(makeSolutionStep("", std::move(names).finish()));
    steps.push_back(makeSolutionStep("", std::move(terms).finish()));
    steps.push_back(makeSolutionStep(LocalizedString::calculateVerb(), std::move(products5).finish()));
    steps.push_back(
        makeSolutionStep(LocalizedString::result(),
                         "E(X) " + std::string(sign(F1 || result.expectedApproximate)) + " " + expected));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(makeSolutionStep(LocalizedString::variance(),
                                     "\\sigma^2 = \\sum_{i=1}^{n} (x_i - E(X))^2 \\cdot P(X=x_i)"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(),
                                     "= \\sum_{i=1}^{" + N + "} (x_i - " + expected + ")^2 \\cdot P(X=x_i)"));
    steps.push_back(makeSolutionStep("", std::move(namedDeviations).finish()));
    steps.push_back(makeSolutionStep("", std::move(deviationTerms).finish()));
    steps.push_back(makeSolutionStep(LocalizedString::calculateVerb(), std::move(deviations).finish()));
    steps.push_back(makeSolutionStep("", std::move(squares).finish()));
    steps.push_back(makeSolutionStep("", std::move(weighted).finish()));
    steps.push_back(makeSolutionStep("", "\\sigma^2 " + std::string(sign(F5)) + " " + result.variance));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(makeSolutionStep(LocalizedString::standardDeviation(),
                                     "\\sigma = \\sqrt{ \\sum_{i=1}^{n} (x_i - E(X))^2 \\cdot P(X=x_i) }"));
    steps.push_back(
        makeSolutionStep(LocalizedString::insert(), sign(F5) + (" \\sqrt{ " + result.variance) + " }"));
    steps.push_back(makeSolutionStep(LocalizedString::result(),
                                     "\\sigma " + std::string(sign(F5 || result.deviationApproximate)) + " " +
                                         result.deviation));
}
