#pragma once

// True while a calculation runs; the keypad, Clear and the menu button then do nothing.
inline bool isCalculationRunning = false;

// True while the result page takes its long screenshot; animations then finish at once.
inline bool isSharingInProgress = false;
