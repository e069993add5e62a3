#pragma once

#include "engine/Digit.h"
#include "engine/NaturalConstant.h"
#include "engine/SolutionStep.h"
#include "engine/Symbol.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Collects the steps of the current calculation, and writes numbers and terms as LaTeX.
class KivoStringOutput {
  public:
    static std::shared_ptr<KivoStringOutput> shared();

    std::int64_t solutionStepCounter = 0;
    std::vector<SolutionStep> solutionSteps;

    // The LaTeX of a number: "0" below 1e-10 in magnitude, "\infty" / "-\infty" for an infinity when
    // allowed, else en_US decimal text without grouping, with constants, variable and unit attached.
    static std::string displayString(const std::string& unit, const std::vector<NaturalConstant>& constants,
                                     const std::string& variable, int maximumFractionDigits,
                                     bool infinityAllowed, bool noParentheses, double value);
    // The LaTeX of a term; a term without numerator gives the empty text.
    static std::string termLatex(const Digit& d, const std::string& unit, std::optional<bool> parenthesesMode,
                                 bool alwaysFraction, bool signedParts, int maximumFractionDigits);
    // termLatex without unit and alwaysFraction, each numerator and denominator written as the shortest
    // decimal of its double in full, "0" only for the value 0: the numbers an expansion or a
    // cancellation shows are the numbers typed, digit for digit.
    static std::string termLatexInFull(const Digit& d, std::optional<bool> parenthesesMode, bool signedParts);
    static std::optional<std::string> variablePartLatex(const Digit& d);
    // Numerator and denominator each shown divided by the factor (with the constants), every number in
    // full as termLatexInFull writes it; a term without numerator gives the empty text.
    static std::string cancelledFractionLatex(const Digit& d, const std::vector<NaturalConstant>& constants,
                                              double factor);
    // The display form of a LaTeX text (always terminates; the empty text stays empty).
    static std::string beautifyLatex(std::string text);
    static SolutionStep latexStringHasPrefix(SolutionStep step, const std::string& prefix,
                                             const std::string& appended, const Symbol& symbol);
    static std::string dropLastCharacters(long n, std::string_view text);
};
