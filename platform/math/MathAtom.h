#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The class of an atom decides the space around it (TeX's atom types) and how it is laid out.
enum class MathAtomType : std::uint8_t {
    Ordinary,
    LargeOperator, // \sum, \prod, also named functions such as \sin (nucleus of several letters)
    BinaryOperator,
    Relation,
    Open,
    Close,
    Punctuation,
    Group,    // braced subformula {...}; spaced as an ordinary atom
    Inner,    // \left ... \right
    Fraction, // \frac and \binom
    Radical,
    Accent,
    Text,  // \text{...}: upright text, spaces kept
    Space, // explicit space in math units (\quad, \;, ...)
};

struct MathAtom;
using MathList = std::vector<MathAtom>;

struct MathAtom {
    MathAtomType type = MathAtomType::Ordinary;
    bool hasRule = true; // Fraction: false for \binom
    bool limits = false; // LargeOperator: limits above and below in display style
    // Inner and Fraction (binomial): delimiters; 0 is the null delimiter.
    char32_t leftDelimiter = 0;
    char32_t rightDelimiter = 0;
    double spaceMu = 0;                 // Space: width in math units (1/18 em)
    std::optional<std::uint32_t> color; // 0xRRGGBBAA; unset inherits the surrounding colour
    // Code points as they are drawn (letters already mapped to math italic); for Text the UTF-32 text,
    // for Accent the accent mark.
    std::u32string nucleus;

    const MathList& superscript() const { return part(0); }
    const MathList& subscript() const { return part(1); }
    // Group, Inner: contents. Fraction: numerator. Radical: radicand. Accent: accented base.
    const MathList& body() const { return part(2); }
    // Fraction: denominator. Radical: degree (empty for a square root).
    const MathList& extra() const { return part(3); }
    bool hasScripts() const { return !superscript().empty() || !subscript().empty(); }
    MathList& superscript() { return part(0); }
    MathList& subscript() { return part(1); }
    MathList& body() { return part(2); }
    MathList& extra() { return part(3); }

  private:
    // Most atoms have none of the sublists; keeping them in one vector keeps long formulas small.
    std::vector<MathList> parts_;

    const MathList& part(std::size_t index) const {
        static const MathList none;
        return index < parts_.size() ? parts_[index] : none;
    }
    MathList& part(std::size_t index) {
        if (index >= parts_.size())
            parts_.resize(index + 1);
        return parts_[index];
    }
};

// One list per formula row; rows are separated by \\ in the source.
struct MathFormula {
    std::vector<MathList> rows;
};
