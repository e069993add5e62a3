#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the isosceles triangle. Created with its initial values
// only.
class KivoIsoscelesTriangle : public GeometryCalculatorRecord {};
