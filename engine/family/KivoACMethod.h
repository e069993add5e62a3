#pragma once

#include "engine/KivoStringOutput.h"
#include "engine/family/QuadraticResultContainer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Record shape of a calculator of the product family: the AC method of factorising. Created with its initial
// values only.
class KivoACMethod {
  public:
    using resultContainer = QuadraticResultContainer;

    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    std::int64_t inputATag = 0;
    std::int64_t inputBTag = 0;
    std::int64_t inputCTag = 0;
    std::optional<double> a;
    std::optional<double> b;
    std::optional<double> c;
    bool isA1Example = true;
    bool isAnyNumberChanged = false;
    std::optional<std::vector<resultContainer>> allTmps;
    std::optional<std::vector<resultContainer>> allResults;
    std::optional<resultContainer> choosenExample;
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    bool withFraction = false;
};
