#pragma once

#include <compare>
#include <optional>
#include <string>

// A point in time, held as seconds since 1970-01-01 00:00:00 UTC.
class Date {
  public:
    // Seconds between 1970-01-01 and the platform's reference date 2001-01-01 (UTC).
    static constexpr double referenceDateOffset = 978307200.0;

    Date() = default;
    static Date now(); // the current clock's wall time
    static Date dateWithTimeIntervalSince1970(double seconds);
    static Date dateWithTimeIntervalSinceReferenceDate(double seconds);

    double timeIntervalSince1970() const { return seconds_; }
    double timeIntervalSinceReferenceDate() const { return seconds_ - referenceDateOffset; }
    double timeIntervalSinceDate(const Date& other) const { return seconds_ - other.seconds_; }
    Date dateByAddingTimeInterval(double seconds) const;

    // "2024-05-01T12:30:00Z", whole seconds, UTC (the property-list date form); years outside 1 to 9999
    // are clamped to them.
    std::string iso8601() const;
    // Reads the form iso8601() writes; empty when the text is not in that form.
    static std::optional<Date> fromISO8601(const std::string& text);

    auto operator<=>(const Date&) const = default;

  private:
    explicit Date(double seconds) : seconds_(seconds) {}
    double seconds_ = 0;
};
