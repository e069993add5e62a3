#pragma once

#include "engine/family/OptionalTermsCalculatorRecord.h"

// Record shape of a calculator of the product family: logarithmic identities. Created with its initial values
// only.
class KivoLogarithmicIdentities : public OptionalTermsCalculatorRecord {};
