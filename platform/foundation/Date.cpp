#include "platform/foundation/Date.h"

#include "platform/foundation/Clock.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

Date Date::now() {
    return Clock::current()->date();
}

Date Date::dateWithTimeIntervalSince1970(double seconds) {
    return Date(seconds);
}

Date Date::dateWithTimeIntervalSinceReferenceDate(double seconds) {
    return Date(seconds + referenceDateOffset);
}

Date Date::dateByAddingTimeInterval(double seconds) const {
    return Date(seconds_ + seconds);
}

std::string Date::iso8601() const {
    // The text form has four-digit years: 0001-01-01 to 9999-12-31; dates beyond are clamped.
    constexpr double earliest = -62135596800.0, latest = 253402300799.0;
    const double clamped =
        std::isnan(seconds_) ? referenceDateOffset : std::clamp(seconds_, earliest, latest);
    const auto whole = static_cast<std::time_t>(std::floor(clamped));
    std::tm parts{};
    gmtime_r(&whole, &parts);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

namespace {

bool readNumber(const std::string& text, std::size_t at, std::size_t length, int& out) {
    if (at + length > text.size())
        return false;
    const char* first = text.data() + at;
    for (std::size_t i = 0; i < length; ++i)
        if (first[i] < '0' || first[i] > '9')
            return false;
    return std::from_chars(first, first + length, out).ec == std::errc{};
}

} // namespace

std::optional<Date> Date::fromISO8601(const std::string& text) {
    // YYYY-MM-DDTHH:MM:SSZ
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    int year, month, day, hour, minute, second;
    if (!readNumber(text, 0, 4, year) || !readNumber(text, 5, 2, month) || !readNumber(text, 8, 2, day) ||
        !readNumber(text, 11, 2, hour) || !readNumber(text, 14, 2, minute) ||
        !readNumber(text, 17, 2, second))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return Date(static_cast<double>(timegm(&parts)));
}
