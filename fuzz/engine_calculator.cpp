// Parser and stochastics calculator on arbitrary input tables. The first byte picks the mode; the
// rest is rows separated by line feeds, each "value<TAB>probability".
#include "engine/KivoInputManager.h"
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

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
    if (!solved)
        return 0;
    KivoStringOutput::beautifyLatex(*result.inputLatexString);

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
