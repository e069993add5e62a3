#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the frustum of a pyramid. Created with its initial
// values only.
class KivoFrustumOfAPyramid : public GeometryCalculatorRecord {};
