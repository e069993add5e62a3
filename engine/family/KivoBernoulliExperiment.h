#pragma once

#include "engine/family/TermsCalculatorRecord.h"

// Record shape of a calculator of the product family: Bernoulli experiments. Created with its initial values
// only.
class KivoBernoulliExperiment : public TermsCalculatorRecord {};
