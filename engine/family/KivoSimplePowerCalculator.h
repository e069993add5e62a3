#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: simple powers. Created with its initial values only.
class KivoSimplePowerCalculator : public OptionalTermsCalculatorRecord {};
