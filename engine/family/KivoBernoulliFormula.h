#pragma once

#include "engine/family/TermsCalculatorRecord.h"

// Record shape of a calculator of the product family: the Bernoulli formula. Created with its initial values
// only.
class KivoBernoulliFormula : public TermsCalculatorRecord {};
