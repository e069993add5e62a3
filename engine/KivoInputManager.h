#pragma once

#include "engine/Digit.h"
#include "engine/KivoStringOutput.h"
#include "engine/NaturalConstant.h"
#include "engine/SolutionStep.h"
#include "engine/Symbol.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// How the input-format lines of a calculator are read.
enum class FormatMode { formula = 0, variables = 1 };

// The outcome of processInputs: the terms and steps on success, the error and faulty fields otherwise.
struct ProcessedInputs {
    std::optional<std::vector<std::shared_ptr<Digit>>> allInputs;
    std::optional<std::string> error;
    std::optional<std::vector<std::int64_t>> errorFieldTags;
    std::optional<std::vector<std::string>> errorFieldIds;
    bool isWithFraction = false;
    std::optional<std::vector<SolutionStep>> solutionSteps;
};

// One numerator or denominator text read: all of value, constants, variable and power, or an error.
struct TermParse {
    std::optional<double> value;
    std::optional<std::vector<NaturalConstant>> constants;
    std::optional<std::string> variable;
    std::optional<double> power;
    std::optional<std::string> error;
    // Whether the value is the number as typed: the typed digits are the shortest decimal of the double.
    bool holdsTypedDigits = true;
};

// Turns the texts of a calculator's input fields into terms, rejects malformed or missing input with
// an error identifier and the faulty fields, and writes the steps that rewrite the input (decimals
// expanded into fractions, fractions cancelled).
class KivoInputManager {
  public:
    struct InputCheck {
        std::optional<std::string> error;
        std::optional<std::vector<std::int64_t>> errorFieldTags;
        std::optional<std::vector<std::string>> errorFieldIds;
    };
    struct FieldError {
        std::string error;
        std::string fieldId;
        std::optional<std::int64_t> tag;
    };
    struct ConstantsParse {
        std::optional<std::vector<NaturalConstant>> constants;
        std::optional<std::string> error;
    };
    struct VariableParse {
        std::optional<std::string> variable;
        std::optional<double> power;
        std::optional<std::string> error;
    };

    // Shared instance for the calculator shells of the family; the stochastics calculator makes its own.
    static std::shared_ptr<KivoInputManager> shared();

    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    std::vector<std::string> stringInputs;
    bool isTagUsed = false;
    std::vector<std::string> allTextFieldIds;
    std::vector<std::shared_ptr<Digit>> allInputs;
    std::vector<std::string> allTextFieldPlaceholder;
    std::vector<std::string> inputFormat;
    std::vector<Symbol> inputSymbols;
    std::vector<std::string> allTextFieldTexts;
    std::string subcategory;
    std::string topic;
    FormatMode inputFormatMode = FormatMode::formula;
    bool isAllFractionIfOccuredOnce = true;
    bool isDecimalEliminationForced = false;
    bool isWithFraction = false;
    bool isAnyNumberChanged = false;
    const std::shared_ptr<Digit> digit = std::make_shared<Digit>();

    ProcessedInputs processInputs(const std::vector<std::string>& texts,
                                  const std::vector<std::int64_t>& tags,
                                  const std::vector<std::string>& fieldIds,
                                  const std::vector<std::string>& inputFormat, bool withInputSteps,
                                  bool isAllFractionIfOccuredOnce, bool isDecimalEliminationForced,
                                  FormatMode inputFormatMode, const std::string& subcategory,
                                  const std::string& topic, std::int64_t minimumFilledCount,
                                  bool requireAllFilled, const std::vector<std::string>& requiredFieldIds);

    InputCheck checkEnoughInputs(std::int64_t minimumFilledCount, bool requireAllFilled,
                                 const std::vector<std::string>& requiredFieldIds) const;
    // Fills allInputs; the first malformed field stops it.
    std::optional<FieldError> parseInputs();
    TermParse parseTerm(const std::string& text) const;
    ConstantsParse parseNaturalConstants(const std::string& text) const;
    VariableParse parseVariable(const std::string& text) const;

    void inputSteps(bool flag);
    void resolveInputSymbols();
    void changedInputSteps();
    void moveDenominatorSign();
    void cancelDownStep();

  private:
    // Per field: both numbers of its term hold their typed digits and lie within 2^53. A term that does
    // not is neither expanded nor cancelled, as a step about it would describe another number than the
    // one typed.
    std::vector<bool> isRewritable_;

    std::string fieldId(std::size_t index) const;
    FieldError fieldError(std::string error, std::size_t index) const;
};
