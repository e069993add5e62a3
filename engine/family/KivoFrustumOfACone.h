#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the frustum of a cone. Created with its initial values
// only.
class KivoFrustumOfACone : public GeometryCalculatorRecord {};
