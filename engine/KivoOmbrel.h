#pragma once

#include "engine/CalculatorResult.h"
#include "engine/Digit.h"
#include "engine/EventRow.h"
#include "engine/KivoMathOperation.h"
#include "engine/KivoStringOutput.h"
#include "platform/foundation/NumberFormatter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The stochastics calculator: mode 0 sample statistics, mode 1 a discrete random variable. One
// instance per calculation; the steps go to the shared step collector.
class KivoOmbrel {
  public:
    // One row of the input table: (value text, probability text).
    using Row = std::pair<std::string, std::string>;

    const std::shared_ptr<KivoMathOperation> operation = KivoMathOperation::shared();
    const std::shared_ptr<KivoStringOutput> output = KivoStringOutput::shared();
    NumberFormatter numberFormatter;
    std::map<std::string, std::shared_ptr<Digit>> inputParameters;
    const int decimalPlaces = 5;

    CalculatorResult readEventsAndProbabilities(const std::vector<Row>& allFields, std::int64_t mode);

    std::string inputEchoStep(std::int64_t mode, const std::vector<Row>& rows);
    void selectStatistics(std::int64_t mode, const std::vector<EventRow>& rows);
    // Writes nothing for fewer than two values or a sum beyond the 64-bit range.
    void sampleStatisticsSteps(const std::vector<std::int64_t>& values);
    void randomVariableStatisticsSteps(const std::vector<EventRow>& rows);
    // Files one parsed term into the row table; false when the term cannot be held there (a value
    // without a numerator that is a finite number in the 64-bit range, a probability without value).
    bool classifyInputKeys(std::size_t position, const Digit& term, const std::vector<std::string>& fieldIds,
                           std::vector<EventRow>& rows);
    static std::vector<std::string> elementsAtOddPositions(const std::vector<std::string>& list);

    // The integer sum of the values, or nothing when it leaves the 64-bit range.
    static std::optional<std::int64_t> checkedSum(const std::vector<std::int64_t>& values);
};
