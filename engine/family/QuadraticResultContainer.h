#pragma once

// One candidate factorisation of a quadratic.
struct QuadraticResultContainer {
    double A1 = 0, A2 = 0, B = 0, C1 = 0, C2 = 0, D = 0;
};
