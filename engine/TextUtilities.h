#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text services of the engine: plain byte-wise search and replacement (every pattern the engine uses
// is ASCII, so UTF-8 sequences are never split), and user-perceived character counting.

bool contains(std::string_view text, std::string_view part);
// Replaces every non-overlapping occurrence, left to right; returns whether anything changed.
bool replaceAll(std::string& text, std::string_view from, std::string_view to);
std::string replacingAll(std::string text, std::string_view from, std::string_view to);
std::vector<std::string_view> splitDroppingEmpty(std::string_view text, std::string_view separator);

// Optional sign and decimal digits only, inside the signed 64-bit range.
std::optional<std::int64_t> parseInt64(std::string_view text);
// Optional sign, digits and at most one "." (at least one digit), the whole text consumed.
// Numbers too large for a double read as infinity, as the C conversion gives them.
std::optional<double> parseDecimal(std::string_view text);

// User-perceived characters (grapheme clusters): split, counted and dropped from the end.
std::vector<std::string_view> characterClusters(std::string_view text);
long characterCount(std::string_view text);
// The byte length of the text without its last count characters (0 when it has no more).
std::size_t lengthWithoutLastCharacters(long count, std::string_view text);

// Text equality up to canonical equivalence (an "é" typed as one or as two code points is the same).
bool canonicallyEqual(std::string_view a, std::string_view b);
