#pragma once

// True while a calculation runs; the keypad, Clear and the menu button then do nothing.
inline bool isCalculationRunning = false;
