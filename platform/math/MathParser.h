#pragma once

#include "platform/math/MathAtom.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct MathParseError {
    std::string message;
    std::size_t offset = 0; // byte offset into the source where reading stopped
};

// Exactly one of the two members is set.
struct MathParseResult {
    std::optional<MathFormula> formula;
    std::optional<MathParseError> error;
};

// Reads the LaTeX math dialect of the app's formulas into atom lists, one per \\-separated row.
// Unknown commands, unbalanced braces, malformed UTF-8, over-deep nesting and over-long input give an error.
class MathParser {
  public:
    static constexpr std::size_t maximumLength = std::size_t{1} << 20;
    static constexpr int maximumDepth = 32;

    static MathParseResult parse(std::string_view latex);
};
