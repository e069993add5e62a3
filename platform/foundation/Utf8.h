#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The code point whose UTF-8 sequence starts at `position` in the text, moving `position` past it.
// A malformed, overlong or surrogate sequence gives nothing and moves `position` on by one byte.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& position);
