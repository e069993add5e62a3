// Parser and stochastics calculator on arbitrary input tables. The first byte picks the mode; the
// rest is rows separated by line feeds, each "value<TAB>probability".
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"

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
    if (solved)
        KivoStringOutput::beautifyLatex(*result.inputLatexString);
    return 0;
}
