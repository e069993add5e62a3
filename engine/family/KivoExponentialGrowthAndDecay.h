#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: exponential growth and decay. Created with its initial
// values only.
class KivoExponentialGrowthAndDecay : public OptionalTermsCalculatorRecord {};
