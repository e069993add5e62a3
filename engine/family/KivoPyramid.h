#pragma once

#include "engine/family/GeometryCalculatorRecord.h"

// Record shape of a calculator of the product family: the pyramid. Created with its initial values only.
class KivoPyramid : public GeometryCalculatorRecord {};
