#pragma once

// A value rounded for display, and whether the shown value needs "\approx" instead of "=".
struct RoundedValue {
    double rounded = 0;
    bool isApproximate = false;
};

// Rounds half away from zero to the given places (not negative). Floating-point noise counts as exact:
// the value is exact when the four digits after the kept places of its shortest text are "0000" or
// "9999".
RoundedValue roundToDecimalPlaces(int places, double value);
