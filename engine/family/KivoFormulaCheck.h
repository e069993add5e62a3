#pragma once

// Record shape of a calculator of the product family: checking a formula. Created with its initial values
// only.
class KivoFormulaCheck {};
