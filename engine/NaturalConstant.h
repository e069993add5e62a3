#pragma once

#include <string>

// A named constant that may stand in a typed term, such as π.
struct NaturalConstant {
    std::string key; // the one character that stands for it in typed text
    std::string latex;
    double value = 0;

    static const NaturalConstant pi;
    static const NaturalConstant e;

    bool operator==(const NaturalConstant&) const = default;
};

inline const NaturalConstant NaturalConstant::pi{"\u03c0", "\\pi", 3.141592653589793};
inline const NaturalConstant NaturalConstant::e{"e", "e", 2.718281828459045};
