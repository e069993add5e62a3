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
    // Every number exact. Writes nothing for fewer than two values.
    void sampleStatisticsSteps(const std::vector<std::int64_t>& values);
    // Every number exact when every row has its exact probability (which must add up to exactly 1),
    // else in doubles.
    void randomVariableStatisticsSteps(const std::vector<EventRow>& rows);
    // Files one parsed term into the row table (a probability's double; a value is filed after its
    // checks); false when the term cannot be held there (a value without numerator, a probability
    // without value).
    bool classifyInputKeys(std::size_t position, const Digit& term, const std::vector<std::string>& fieldIds,
                           std::vector<EventRow>& rows);
    static std::vector<std::string> elementsAtOddPositions(const std::vector<std::string>& list);
};
