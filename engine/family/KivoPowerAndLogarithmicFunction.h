#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: power and logarithmic functions. Created with its
// initial values only.
class KivoPowerAndLogarithmicFunction : public OptionalTermsCalculatorRecord {};
