#pragma once

#include "engine/Fraction.h"
#include "engine/KivoStringOutput.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Record shape of a calculator of the product family: a linear equation through two points or from slope and
// intercept. Created with its initial values only.
class KivoLinearEquation {
  public:
    const std::shared_ptr<KivoStringOutput> outputHelper = KivoStringOutput::shared();
    std::optional<std::string> inputM;
    std::optional<std::string> inputN;
    std::optional<std::string> inputX1;
    std::optional<std::string> inputX2;
    std::optional<std::string> inputY1;
    std::optional<std::string> inputY2;
    std::optional<std::int64_t> tagM;
    std::optional<std::int64_t> tagN;
    std::optional<std::int64_t> tagX1;
    std::optional<std::int64_t> tagX2;
    std::optional<std::int64_t> tagY1;
    std::optional<std::int64_t> tagY2;
    Fraction x1{};
    Fraction x2{};
    Fraction y1{};
    Fraction y2{};
    Fraction m{};
    Fraction n{};
    bool withFraction = false;
    double divisor = 1.0;
    bool isMOrNChanged = false;
    bool isAnyPointChanged = false;
    bool isInputChanged = false;
    bool isMChanged = false;
    bool isNChanged = false;
    bool isX1Changed = false;
    bool isY1Changed = false;
    bool isX2Changed = false;
    bool isY2Changed = false;
};
