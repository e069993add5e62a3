#include "engine/KivoOmbrel.h"

#include "engine/KivoInputManager.h"
#include "engine/LocalizedString.h"
#include "engine/ProbabilitySum.h"
#include "engine/RoundToDecimalPlaces.h"
#include "engine/TextUtilities.h"
#include "engine/TruncatedInt64.h"

#include <cmath>

namespace {

std::string fmt(double x) {
    return KivoStringOutput::displayString("", {}, "", 10, true, false, x);
}

std::string fmtNP(double x) {
    return KivoStringOutput::displayString("", {}, "", 10, true, true, x);
}

const char* sign(bool approximate) {
    return approximate ? "\\approx" : "=";
}

// The text of one list step: a prefix, then terms that each end in their separator; the final
// separator character is dropped and the suffix follows. Built in place, as lists grow with the table.
class StepList {
  public:
    explicit StepList(std::string_view prefix) : text_(prefix) {}

    template <typename... Parts> void add(const Parts&... parts) { (text_.append(parts), ...); }
    std::string finish(std::string_view suffix = {}) && {
        text_.resize(lengthWithoutLastCharacters(1, text_));
        text_.append(suffix);
        return std::move(text_);
    }

  private:
    std::string text_;
};

std::string index(std::size_t i) {
    return std::to_string(i + 1);
}

bool hasVariable(const Digit& term) {
    return !term.zVariable.empty() || !term.nVariable.empty();
}

// A value must be a plain whole number: no constant, no letter, a denominator of 1 once the parser has
// cancelled it.
bool isWholeNumber(const Digit& term) {
    return term.zConstants.empty() && term.nConstants.empty() && !hasVariable(term) && term.n == 1.0 &&
           *term.z == std::trunc(*term.z);
}

bool isOutsideZeroToOne(const Digit& term) {
    const double p = *term.value();
    return !(p >= 0.0 && p <= 1.0);
}

CalculatorResult rejected(std::string error, std::vector<std::string> fieldIds) {
    CalculatorResult result;
    result.error = std::move(error);
    result.errorIdArray = std::move(fieldIds);
    return result;
}

// Values shown per row, computed once and reused by the steps that show them.
struct SampleRow {
    std::string x;
    std::string deviation;
    std::string square;
};

struct RandomVariableRow {
    std::string x;
    std::string p;
    std::string product;
    std::string deviation;
    std::string square;
    std::string weightedSquare;
};

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
    const std::vector<std::shared_ptr<Digit>>& terms = *processed.allInputs;
    for (std::size_t p = 0; p < terms.size(); ++p)
        if (!classifyInputKeys(p, *terms[p], fieldIds, rows))
            return rejected("inputParameterError", {fieldIds[p]});

    // The identifiers of the fields of one kind ("event" or "probability") whose term is faulty.
    auto faultyFields = [&](std::string_view kind, auto isFaulty) {
        std::vector<std::string> faulty;
        for (std::size_t p = 0; p < terms.size(); ++p)
            if (fieldIds[p].starts_with(kind) && isFaulty(*terms[p]))
                faulty.push_back(fieldIds[p]);
        return faulty;
    };
    if (auto fields = faultyFields("event", [](const Digit& term) { return !isWholeNumber(term); });
        !fields.empty())
        return rejected("valueMustBeWholeNumber", std::move(fields));
    if (mode == 0) {
        if (rows.size() == 1)
            return rejected("sampleNeedsTwoValues", {fieldIds.front()});
        std::vector<std::int64_t> values;
        for (const EventRow& row : rows)
            values.push_back(row.value);
        if (!checkedSum(values))
            return rejected("inputParameterError", fieldIds);
    }
    if (mode == 1) {
        if (auto fields = faultyFields("probability", hasVariable); !fields.empty())
            return rejected("inputParameterError", std::move(fields));
        if (auto fields = faultyFields("probability", isOutsideZeroToOne); !fields.empty())
            return rejected("probabilityOutOfRange", std::move(fields));
        std::vector<const Digit*> probabilities;
        for (std::size_t p = 1; p < terms.size(); p += 2)
            probabilities.push_back(terms[p].get());
        if (!probabilitiesAddUpToOne(probabilities))
            return rejected("sumOfProbabilitiesMustBe1", elementsAtOddPositions(fieldIds));
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
    const std::optional<std::int64_t> value = term.z ? truncatedInt64(*term.z) : std::nullopt;
    if (!value)
        return false;
    rows[row].value = *value;
    return true;
}

std::vector<std::string> KivoOmbrel::elementsAtOddPositions(const std::vector<std::string>& list) {
    std::vector<std::string> odd;
    for (std::size_t i = 1; i < list.size(); i += 2)
        odd.push_back(list[i]);
    return odd;
}

std::optional<std::int64_t> KivoOmbrel::checkedSum(const std::vector<std::int64_t>& values) {
    std::int64_t sum = 0;
    for (std::int64_t value : values)
        if (__builtin_add_overflow(sum, value, &sum))
            return std::nullopt;
    return sum;
}

std::string KivoOmbrel::inputEchoStep(std::int64_t mode, const std::vector<Row>& rows) {
    std::string values = "x_i = [";
    for (const Row& row : rows)
        values += row.first + ";";
    values = KivoStringOutput::dropLastCharacters(1, values) + "]";

    std::string probabilities;
    if (mode == 1) {
        probabilities = "\\\\ P(X = x_i) = [";
        for (const Row& row : rows)
            probabilities += row.second + ";";
        probabilities = KivoStringOutput::dropLastCharacters(1, probabilities) + "]";
    }

    std::string latex = values + " " + probabilities;
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
    const std::optional<std::int64_t> sum = checkedSum(values);
    if (!sum || values.size() < 2)
        return;
    const std::size_t n = values.size();
    const std::string N = fmt(static_cast<double>(n));
    const std::int64_t S = *sum;
    const double m = static_cast<double>(S) / static_cast<double>(n);
    const RoundedValue mean = roundToDecimalPlaces(decimalPlaces, m);
    const std::string m5 = fmt(mean.rounded);

    std::vector<SampleRow> shown(n);
    bool deviationsApproximate = mean.isApproximate;
    bool squaresApproximate = false;
    double Q = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(values[i]) - m;
        const RoundedValue d5 = roundToDecimalPlaces(decimalPlaces, d);
        const double q = d * d;
        const RoundedValue q5 = roundToDecimalPlaces(decimalPlaces, q);
        Q += q;
        deviationsApproximate = deviationsApproximate || d5.isApproximate;
        squaresApproximate = squaresApproximate || q5.isApproximate;
        shown[i] = {fmt(static_cast<double>(values[i])), fmtNP(d5.rounded), fmt(q5.rounded)};
    }
    const RoundedValue Q5 = roundToDecimalPlaces(decimalPlaces, Q);
    const std::string K = std::to_string(n - 1);
    const double V = Q / static_cast<double>(n - 1);
    const RoundedValue V5 = roundToDecimalPlaces(decimalPlaces, V);
    const RoundedValue s5 = roundToDecimalPlaces(decimalPlaces, std::pow(V, 0.5));
    const bool A1 = deviationsApproximate;
    const bool A2 = A1 || squaresApproximate;
    const bool A3 = A2 || Q5.isApproximate;
    const bool A4 = A3 || V5.isApproximate;

    const std::string mean1 = "= \\frac{1}{" + N + "} \\cdot ";
    const std::string variance1 = "= \\frac{1}{" + N + " - 1} \\cdot ";
    const std::string varianceK = "\\frac{1}{" + K + "} \\cdot ";
    StepList names(mean1 + "("), xs(mean1 + "("), namedDeviations(variance1 + "("),
        deviationTerms(variance1 + "(");
    StepList deviations(sign(A1) + varianceK + "("), squares(sign(A2) + varianceK + "(");
    for (std::size_t i = 0; i < n; ++i) {
        const std::string number = index(i);
        names.add("x_", number, " +");
        xs.add(shown[i].x, " +");
        namedDeviations.add("(x_", number, " - ", m5, ")^2 +");
        deviationTerms.add("(", shown[i].x, " - ", m5, ")^2 +");
        deviations.add("(", shown[i].deviation, ")^2 +");
        squares.add(shown[i].square, " +");
    }

    std::vector<SolutionStep>& steps = output->solutionSteps;
    steps.push_back(makeSolutionStep(LocalizedString::sampleSize(), "n = " + N));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(
        makeSolutionStep(LocalizedString::mean(), "\\bar{x} = \\frac{1}{n} \\cdot \\sum_{i=1}^{n} x_i"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(), mean1 + "\\sum_{i=1}^{" + N + "} x_i"));
    steps.push_back(makeSolutionStep("", std::move(names).finish(")")));
    steps.push_back(makeSolutionStep("", std::move(xs).finish(")")));
    steps.push_back(
        makeSolutionStep(LocalizedString::calculateVerb(), mean1 + "(" + fmt(static_cast<double>(S)) + ")"));
    steps.push_back(makeSolutionStep("", mean1 + fmt(static_cast<double>(S))));
    steps.push_back(makeSolutionStep(LocalizedString::result(),
                                     "\\bar{x} " + std::string(sign(mean.isApproximate)) + " " + m5));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(makeSolutionStep(LocalizedString::empiricalVariance(),
                                     "s^2 = \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2"));
    steps.push_back(makeSolutionStep(LocalizedString::insert(),
                                     variance1 + "\\sum_{i=1}^{" + N + "} (x_i - " + m5 + ")^2"));
    steps.push_back(makeSolutionStep("", std::move(namedDeviations).finish(")")));
    steps.push_back(makeSolutionStep("", std::move(deviationTerms).finish(")")));
    steps.push_back(makeSolutionStep(LocalizedString::calculateVerb(), std::move(deviations).finish(")")));
    steps.push_back(makeSolutionStep("", std::move(squares).finish(")")));
    steps.push_back(makeSolutionStep("", sign(A3) + (" " + varianceK) + "(" + fmt(Q5.rounded) + ")"));
    steps.push_back(makeSolutionStep("", sign(A3) + (" " + varianceK) + fmt(Q5.rounded)));
    steps.push_back(
        makeSolutionStep(LocalizedString::result(), "s^2 " + std::string(sign(A4)) + " " + fmt(V5.rounded)));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(
        makeSolutionStep(LocalizedString::standardDeviation(),
                         "s = \\sqrt{ \\frac{1}{n - 1} \\cdot \\sum_{i=1}^{n} (x_i - \\bar{x})^2 }"));
    steps.push_back(
        makeSolutionStep(LocalizedString::insert(), sign(A4) + (" \\sqrt{ " + fmt(V5.rounded)) + " }"));
    steps.push_back(makeSolutionStep(
        LocalizedString::result(), "s " + std::string(sign(A4 || s5.isApproximate)) + " " + fmt(s5.rounded)));
}

void KivoOmbrel::randomVariableStatisticsSteps(const std::vector<EventRow>& rows) {
    if (rows.empty())
        return;
    const std::size_t n = rows.size();
    const std::string N = fmt(static_cast<double>(n));
    std::vector<RandomVariableRow> shown(n);
    std::vector<double> products(n);

    bool F1 = false;
    double E = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(rows[i].value);
        const double p = rows[i].probability.value_or(0.0);
        products[i] = x * p;
        const RoundedValue e5 = roundToDecimalPlaces(decimalPlaces, products[i]);
        F1 = F1 || e5.isApproximate;
        E += products[i];
        shown[i].x = fmt(x);
        shown[i].p = fmt(p);
        shown[i].product = fmtNP(e5.rounded);
    }

    bool deviationsApproximate = false, squaresApproximate = false, weightedApproximate = false;
    double V = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(rows[i].value) - E;
        const RoundedValue d5 = roundToDecimalPlaces(decimalPlaces, d);
        const double q = d * d;
        const RoundedValue q5 = roundToDecimalPlaces(decimalPlaces, q);
        const double r = q * rows[i].probability.value_or(0.0);
        const RoundedValue r5 = roundToDecimalPlaces(decimalPlaces, r);
        V += r;
        deviationsApproximate = deviationsApproximate || d5.isApproximate;
        squaresApproximate = squaresApproximate || q5.isApproximate;
        weightedApproximate = weightedApproximate || r5.isApproximate;
        shown[i].deviation = fmtNP(d5.rounded);
        shown[i].square = fmt(q5.rounded);
        shown[i].weightedSquare = fmt(r5.rounded);
    }
    const RoundedValue V5 = roundToDecimalPlaces(decimalPlaces, V);
    const RoundedValue s5 = roundToDecimalPlaces(decimalPlaces, std::pow(V, 0.5));
    const bool F2 = F1 || deviationsApproximate;
    const bool F3 = F2 || squaresApproximate;
    const bool F4 = F3 || weightedApproximate;
    const bool F5 = F4 || V5.isApproximate;
    const std::string expected = fmt(E);

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
        makeSolutionStep(LocalizedString::result(), "E(X) " + std::string(sign(F1)) + " " + expected));
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
    steps.push_back(makeSolutionStep("", "\\sigma^2 " + std::string(sign(F5)) + " " + fmt(V5.rounded)));
    steps.push_back(makeSolutionStep("", ""));
    steps.push_back(makeSolutionStep(LocalizedString::standardDeviation(),
                                     "\\sigma = \\sqrt{ \\sum_{i=1}^{n} (x_i - E(X))^2 \\cdot P(X=x_i) }"));
    steps.push_back(
        makeSolutionStep(LocalizedString::insert(), sign(F5) + (" \\sqrt{ " + fmt(V5.rounded)) + " }"));
    steps.push_back(
        makeSolutionStep(LocalizedString::result(),
                         "\\sigma " + std::string(sign(F5 || s5.isApproximate)) + " " + fmt(s5.rounded)));
}
