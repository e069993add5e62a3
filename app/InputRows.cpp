#include "app/InputRows.h"

#include "platform/foundation/Utf8.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr std::size_t eventPrefixLength = 5;
constexpr std::size_t probabilityPrefixLength = 11;

} // namespace

std::optional<std::size_t> rowOfIdentifier(const std::string& identifier, bool* isProbability) {
    const bool probability = identifier.starts_with("probability");
    if (isProbability)
        *isProbability = probability;
    const std::size_t prefix = probability ? probabilityPrefixLength : eventPrefixLength;
    if (identifier.size() <= prefix ||
        !std::all_of(identifier.begin() + static_cast<std::ptrdiff_t>(prefix), identifier.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::size_t row = 0;
    const std::from_chars_result read =
        std::from_chars(identifier.data() + prefix, identifier.data() + identifier.size(), row);
    return read.ec == std::errc() ? row : std::numeric_limits<std::size_t>::max();
}

bool fitsInputTable(const std::map<std::string, std::string>& inputs) {
    return std::all_of(inputs.begin(), inputs.end(), [](const auto& input) {
        const auto row = rowOfIdentifier(input.first);
        return !row || (*row < maximumInputRows && utf8CharacterCount(input.second) <= maximumFieldLength);
    });
}

std::optional<std::vector<InputRow>> rowsWithStoredInputs(std::vector<InputRow> rows,
                                                          const std::map<std::string, std::string>& inputs) {
    if (!fitsInputTable(inputs))
        return std::nullopt;
    for (const auto& [key, text] : inputs) {
        bool probability = false;
        const auto row = rowOfIdentifier(key, &probability);
        if (!row)
            continue;
        if (rows.size() <= *row)
            rows.resize(*row + 1);
        (probability ? rows[*row].probability : rows[*row].event) = text;
    }
    return rows;
}

std::vector<InputRow> rowsToCalculate(const std::vector<InputRow>& rows, int mode) {
    const auto filled = std::find_if(rows.rbegin(), rows.rend(), [mode](const InputRow& row) {
        return !row.event.empty() || (mode == 1 && !row.probability.empty());
    });
    if (filled == rows.rend())
        return rows;
    return {rows.begin(), filled.base()};
}

std::optional<int> storedMode(const AnyValue::Dictionary& setupParameter) {
    const auto entry = setupParameter.find("inputCalculationSelection");
    if (entry == setupParameter.end())
        return std::nullopt;
    const std::optional<std::int64_t> mode = entry->second.integerValue();
    if (!mode)
        return std::nullopt;
    return *mode == 1 ? 1 : 0;
}
