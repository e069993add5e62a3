#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

// AnyValue to and from property lists (XML or binary), in memory.
class PropertyListCoding {
  public:
    enum class Format { xml, binary };

    // What one property list may expand to. A file past any limit is refused, measured before its values
    // are built: a small binary file whose objects refer to each other many times cannot unfold into
    // gigabytes, nor deep XML nesting exhaust the stack.
    static constexpr std::uint64_t maximumValues = 5'000'000;               // dictionary keys included
    static constexpr std::uint64_t maximumDecodedBytes = 256 * 1024 * 1024; // of texts and data
    static constexpr int maximumDepth = 512; // arrays and dictionaries within each other

    // Reads an XML or binary property list (the format is detected; XML may begin with a UTF-8 byte-order
    // mark). Malformed input, or input past the limits above, is a failure.
    static Result<AnyValue> decode(std::string_view bytes);
    // Fails when the value holds a null anywhere (property lists have no null).
    static Result<std::string> encode(const AnyValue& value, Format format = Format::xml);
    // The XML form written into buffer (replacing its contents, reusing its memory); false when the value
    // holds a null. For writers that rewrite a large file often.
    static bool encodeXML(const AnyValue& value, std::string& buffer);
};
