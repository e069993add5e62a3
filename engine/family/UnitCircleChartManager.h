#pragma once

// Record shape of a calculator of the product family: unit-circle chart helpers. Created with its initial
// values only.
class UnitCircleChartManager {};
