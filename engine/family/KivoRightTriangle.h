#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the right triangle. Created with its initial values
// only.
class KivoRightTriangle : public GeometryCalculatorRecord {};
