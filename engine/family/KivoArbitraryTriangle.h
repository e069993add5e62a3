#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the arbitrary triangle. Created with its initial values
// only.
class KivoArbitraryTriangle : public GeometryCalculatorRecord {};
