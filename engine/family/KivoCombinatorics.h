#pragma once

#include "engine/family/RoundingTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: combinatorics. Created with its initial values only.
class KivoCombinatorics : public RoundingTermsCalculatorRecord {};
