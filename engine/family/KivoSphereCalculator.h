#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the sphere. Created with its initial values only.
class KivoSphereCalculator : public GeometryCalculatorRecord {};
