#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Result.h"

#include <string>
#include <string_view>

// AnyValue to and from property lists (XML or binary), in memory.
class PropertyListCoding {
  public:
    enum class Format { xml, binary };

    // Reads an XML or binary property list (the format is detected). Malformed input is a failure.
    static Result<AnyValue> decode(std::string_view bytes);
    // Fails when the value holds a null anywhere (property lists have no null).
    static Result<std::string> encode(const AnyValue& value, Format format = Format::xml);
    // The XML form written into buffer (replacing its contents, reusing its memory); false when the value
    // holds a null. For writers that rewrite a large file often.
    static bool encodeXML(const AnyValue& value, std::string& buffer);
};
