#include "platform/veraziva/APMDataTypeValidator.h"

#include <algorithm>

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<APMError> APMDataTypeValidator::checkPublicEventName(const std::string& name) {
    const bool valid = !name.empty() && name.size() <= maximumEventNameLength &&
                       isAsciiLetter(name.front()) && std::all_of(name.begin(), name.end(), [](char c) {
                           return isAsciiLetter(c) || isAsciiDigit(c) || c == '_';
                       });
    if (valid)
        return std::nullopt;
    return APMError{"com.veraziva.analytics", invalidEventNameErrorCode,
                    "Event name is invalid. Event names must be 1 to 40 characters long, start with a letter "
                    "and contain only letters, digits and underscores",
                    name};
}
