#pragma once

#include <string>

// The shortest decimal that reads back as a positive finite double: its significant digits (at most
// 17, the first one not zero, no trailing zero) and the power of ten of the first digit.
struct ShortestDecimal {
    std::string digits;
    int exponent = 0;
};
ShortestDecimal shortestDecimal(double value);

// The text the platform number formatter gives in decimal style for the locale en_US with at most the
// given fraction digits and no grouping separators: the shortest digits that read back as the value,
// rounded half to even, without trailing zeros; "NaN", "∞", "-∞", and "-0" for a negative number that
// rounds to zero. Written out here because the ICU formatter costs several times more per number and a
// step list formats every row of the table.
std::string englishDecimalText(double value, int maximumFractionDigits);

// A number written from a double in a step: as englishDecimalText, but rounded half to even at the
// 15th significant digit when that comes before the last fraction digit; a whole number up to 2^53 in
// full.
std::string shownDecimalText(double value, int maximumFractionDigits);

// The shortest decimal text that reads back as the value, written in full without exponent
// ("0.000125", "2000000000000", "-0"); "NaN", "∞" and "-∞" as above.
std::string shortestDecimalText(double value);
