#pragma once

#include "engine/family/RoundingTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: type I error of a hypothesis test. Created with its
// initial values only.
class KivoHypothesisTestTypeIError : public RoundingTermsCalculatorRecord {};
