#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: simple logarithms. Created with its initial values
// only.
class KivoSimpleLogarithm : public OptionalTermsCalculatorRecord {};
