#pragma once

#include "engine/Digit.h"
#include "engine/KivoStringOutput.h"
#include "engine/NaturalConstant.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A term reduced by the greatest common divisor, and the LaTeX of the cancellation.
struct CancelledTerm {
    std::shared_ptr<Digit> term;
    std::string latex;
};

// State shared by the input parser and the screen for one calculation, and the term reduction.
class KivoMathOperation {
  public:
    static std::shared_ptr<KivoMathOperation> shared();

    std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    bool withFraction = false;
    bool negativeSqrt = false;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;

    // Nothing when the term cannot be reduced, including terms beyond the signed 64-bit range, reductions
    // that would overflow it, and reductions whose numbers, written in full, would not be the exact
    // quotients of the term's. The term itself is not changed.
    std::optional<CancelledTerm> cancelDown(const Digit& d) const;
    static std::vector<NaturalConstant> removeConstants(const std::vector<NaturalConstant>& list,
                                                        const std::vector<NaturalConstant>& common);
};
