#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: powers with rational exponents. Created with its
// initial values only.
class KivoAdvancedPowerCalculator : public OptionalTermsCalculatorRecord {};
