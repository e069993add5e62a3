#pragma once

#include "platform/foundation/AnyValue.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One row of the input table: the value text and the probability text as typed.
struct InputRow {
    std::string event;
    std::string probability;
    bool operator==(const InputRow&) const = default;
};

// The input table holds at most this many rows (row numbers 0 to 9,999).
inline constexpr std::size_t maximumInputRows = 10'000;
// A field holds at most this many characters: far more than a number needs, and few enough that
// typing and calculating stay quick.
inline constexpr int maximumFieldLength = 1'000;

// The row that a field identifier or stored-input key names: the decimal digits after "probability",
// else after the first five characters ("event12"). None when they are not all digits; a number too
// large for the type reads as the largest row number there is.
std::optional<std::size_t> rowOfIdentifier(const std::string& identifier, bool* isProbability = nullptr);

// Whether every row that the stored inputs name lies within the table's limit and every text that goes
// into a field fits one.
bool fitsInputTable(const std::map<std::string, std::string>& inputs);

// The rows with the stored inputs ("event<i>", "probability<i>") written in, empty rows appended up to
// the highest row named; keys that name no row are skipped. None when the inputs do not fit the table:
// such a calculation is not opened at all.
std::optional<std::vector<InputRow>> rowsWithStoredInputs(std::vector<InputRow> rows,
                                                          const std::map<std::string, std::string>& inputs);

// The rows a calculation in the mode takes: the table without the rows at its end whose fields of the
// mode are all empty (the value; in mode 1 the value and the probability), so that an extra row does no
// harm. The whole table when no row has a filled field, so that its fields are marked.
std::vector<InputRow> rowsToCalculate(const std::vector<InputRow>& rows, int mode);

// The mode stored under "inputCalculationSelection": a whole number other than 0 and 1 reads as 0; none
// when the entry is missing or not a whole number.
std::optional<int> storedMode(const AnyValue::Dictionary& setupParameter);
