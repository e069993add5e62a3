#pragma once

#include <optional>
#include <string>

// A failure of the analytics library, as handed back beside a failed operation.
struct APMError {
    std::string domain;
    int code = 0;
    std::string description;
    std::optional<std::string> monitorContext;
};
