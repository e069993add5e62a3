#pragma once

#include "engine/family/RoundingTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: binomial distribution. Created with its initial values
// only.
class KivoBinomialDistribution : public RoundingTermsCalculatorRecord {};
