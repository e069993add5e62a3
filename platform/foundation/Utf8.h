#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The code point whose UTF-8 sequence starts at `position` in the text, moving `position` past it.
// A malformed, overlong or surrogate sequence gives nothing and moves `position` on by one byte.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& position);

// Text offsets count characters: every byte but a UTF-8 continuation byte (10xxxxxx) starts one.
int utf8CharacterCount(std::string_view text);
// The byte index at which the character of that offset starts; the text's size for any other offset.
std::size_t utf8ByteIndex(std::string_view text, int offset);
