#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the circular cone. Created with its initial values
// only.
class KivoCircularCone : public GeometryCalculatorRecord {};
