#pragma once

#include "platform/veraziva/APMError.h"

#include <optional>
#include <string>

// Name rules of the analytics library.
class APMDataTypeValidator {
  public:
    static constexpr std::size_t maximumEventNameLength = 40;
    static constexpr int invalidEventNameErrorCode = 2;

    // A public event name: 1 to 40 characters, ASCII letters, digits and "_", starting with a letter.
    // Gives the error to report when the name is refused.
    static std::optional<APMError> checkPublicEventName(const std::string& name);
};
