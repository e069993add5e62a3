#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Result.h"

#include <string>
#include <string_view>

// AnyValue to and from JSON text. JSON integers become int64 (unsigned beyond int64 and all numbers
// with a fraction or exponent become double); JSON null becomes null.
class JSONCoding {
  public:
    // Malformed JSON is a failure, never an exception.
    static Result<AnyValue> decode(std::string_view text);
    // Fails for dates, data and non-finite reals, which JSON cannot hold. Dictionary keys come out sorted.
    static Result<std::string> encode(const AnyValue& value, bool prettyPrinted = false);
};
