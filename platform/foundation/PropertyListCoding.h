#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// AnyValue to and from property lists (XML or binary), in memory.
class PropertyListCoding {
  public:
    enum class Format { xml, binary };

    // What one property list may be and expand to. A list past any limit is refused before more than
    // the limits is built: a small binary file whose objects refer to each other many times cannot
    // unfold into gigabytes, nor deep nesting exhaust the stack. Whatever the defaults accept takes a few
    // hundred megabytes of memory at most and well under a second to read.
    struct Limits {
        std::uint64_t bytes = 32 * 1024 * 1024;        // of the list itself
        std::uint64_t values = 1'000'000;              // dictionary keys included
        std::uint64_t decodedBytes = 32 * 1024 * 1024; // of texts and data
        int depth = 512;                               // arrays and dictionaries within each other
    };

    // Reads an XML or binary property list (the format is detected; XML may begin with a UTF-8 byte-order
    // mark). Malformed input, or input past the limits, is a failure.
    static Result<AnyValue> decode(std::string_view bytes);
    static Result<AnyValue> decode(std::string_view bytes, const Limits& limits);
    // Fails when the value holds a null anywhere (property lists have no null).
    static Result<std::string> encode(const AnyValue& value, Format format = Format::xml);
    // The XML form written into buffer (replacing its contents, reusing its memory), for writers that
    // rewrite a large file often. Gives the number of values written, counted as decode counts them;
    // nothing when the value holds a null.
    static std::optional<std::uint64_t> encodeXML(const AnyValue& value, std::string& buffer);
};
