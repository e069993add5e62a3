#pragma once

#include "engine/family/ParsingCalculatorRecord.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Record shape of a calculator of the product family: solving an equation for x. Created with its initial
// values only.
class KivoFindX : public ParsingCalculatorRecord {
  public:
    struct Instance {
        std::int64_t index = 0;
        std::int64_t level = 0;
        std::optional<std::int64_t> surroundingInstanceIndex;
        std::int64_t leftOperation = 0;
        bool isNegative = false;
        std::optional<std::int64_t> operationInstancePartnerIndex;
        std::optional<std::int64_t> operationDigitPartnerIndex;
        bool hasRightOperation = false;
        bool isRight = false;
        bool isProcessed = false;
    };

    // A number of the equation, not a term.
    struct Digit {
        double value = 0;
        std::optional<std::int64_t> index;
        std::int64_t mathOperator = 0;
        bool isNegative = false;
        std::optional<std::int64_t> instanceIndex;
        bool isRight = false;
        std::int64_t powerOfVariable = 0;
        bool isDenominator = false;
        std::optional<std::int64_t> fractionIndex;
    };

    std::map<std::int64_t, Digit> allDigits;
    std::int64_t firstDigitIndexForRight = 0;
    std::map<std::int64_t, Instance> allInstances;
    std::int64_t firstInstanceIndexForRight = 0;
    std::string inputLeftText;
    std::string inputRightText;
    std::int64_t inputLeftTag = 0;
    std::int64_t inputRightTag = 0;
    std::string leftTerm;
    std::string rightTerm;
    std::string lastShownTerm;
    std::optional<float> divisor;
    std::int64_t fractionIndexCounter = 0;
    std::optional<bool> isDotInDigitAlready;
    bool isOpeningBrackingAppeared = false;
    bool isXAllowed = true;
    bool isPlusOperatorAllowed = false;
    std::optional<std::int64_t> bracketCounter;
    std::optional<std::int64_t> operatorCounter;
    bool isError = false;
    bool isFinished = false;
};
