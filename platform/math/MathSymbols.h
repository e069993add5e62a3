#pragma once

#include "platform/math/MathAtom.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a control word or a source character stands for in math mode.
struct MathSymbol {
    MathAtomType type = MathAtomType::Ordinary;
    std::u32string text;
    bool limits = false;
};

// \alpha, \le, \sum, \sin ...; nothing for words that are not symbols.
std::optional<MathSymbol> mathSymbolForCommand(std::string_view name);

// A character typed directly: letters become math italic, '-' the minus sign, '=' a relation ...
// Nothing for characters that have no meaning in math mode ('&', '#', '$', '%', control characters).
std::optional<MathSymbol> mathSymbolForCharacter(char32_t c);

// Delimiter after \left or \right, given as a character ("(", "|", ".") or a control word ("langle", "{").
// The null delimiter "." gives 0.
std::optional<char32_t> mathDelimiterForCharacter(char32_t c);
std::optional<char32_t> mathDelimiterForCommand(std::string_view name);

// Accent mark of \bar, \hat, \vec ...
std::optional<char32_t> mathAccentForCommand(std::string_view name);

// Width in math units of \quad, \;, \, ...
std::optional<double> mathSpaceForCommand(std::string_view name);

// "red", "#3366ff" or "#36f" as 0xRRGGBBAA.
std::optional<std::uint32_t> mathColorNamed(std::string_view name);
