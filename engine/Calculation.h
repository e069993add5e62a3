#pragma once

#include "platform/foundation/AnyValue.h"

#include <map>
#include <string>
#include <vector>

// One solved calculation as the history keeps it. Its LaTeX text identifies it.
struct Calculation {
    std::string _latexString;
    std::map<std::string, std::string> inputParameters;
    std::vector<AnyValue::Dictionary> solutionSteps;
    AnyValue::Dictionary setupParameter;

    bool operator==(const Calculation&) const = default;
};

// The stored form: one entry per field, keyed by the field's name, values unchanged.
AnyValue::Dictionary calculationToDictionary(const Calculation& calculation);
// Never fails: a missing or ill-typed entry gives the field's empty value; the LaTeX text is passed
// through beautifyLatex.
Calculation calculationFromDictionary(const AnyValue::Dictionary& dictionary);
