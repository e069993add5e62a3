#pragma once

#include "engine/Digit.h"
#include "engine/family/ParsingCalculatorRecord.h"

#include <cstdint>
#include <memory>
#include <string>

// Record shape of a calculator of the product family: percentages. Created with its initial values only.
class KivoPercentageCalculator : public ParsingCalculatorRecord {
  public:
    std::string inputFormat;
    std::int64_t missingInput = 0;
    std::shared_ptr<Digit> a = std::make_shared<Digit>();
    std::shared_ptr<Digit> b = std::make_shared<Digit>();
    std::shared_ptr<Digit> c = std::make_shared<Digit>();
    std::shared_ptr<Digit> d = std::make_shared<Digit>();
    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    std::int64_t inputATag = 0;
    std::int64_t inputBTag = 0;
    std::int64_t inputCTag = 0;
};
