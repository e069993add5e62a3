#pragma once

#include "platform/veraziva/APMValue.h"

#include <cstdint>
#include <string>

// One analytics event as the library accepted it.
struct APMEvent {
    std::string origin;
    std::string name;
    // Milliseconds since 1970 on the current clock.
    std::int64_t timestamp = 0;
    APMValue::Parameters parameters;
};
