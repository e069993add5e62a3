#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: binomial coefficients. Created with its initial values
// only.
class KivoBinomialCoefficient : public OptionalTermsCalculatorRecord {};
