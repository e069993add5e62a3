#pragma once

#include "platform/foundation/AnyValue.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The analytics library's tagged parameter value: a double, a 64-bit integer, a text, or an array of
// items, each item a parameter dictionary of scalar values.
class APMValue {
  public:
    using Parameters = std::map<std::string, APMValue>;
    using Items = std::vector<Parameters>;

    enum class Kind { real, integer, string, array };

    explicit APMValue(double value) : storage_(value) {}
    explicit APMValue(std::int64_t value) : storage_(value) {}
    explicit APMValue(std::string value) : storage_(std::move(value)) {}
    explicit APMValue(Items items);

    // Booleans become the integers 1 and 0; an array converts when every element is a dictionary of
    // texts, numbers and Booleans. Null, dates, data, dictionaries and other arrays do not convert.
    static std::optional<APMValue> fromAnyValue(const AnyValue& value);

    Kind kind() const { return static_cast<Kind>(storage_.index()); }
    std::optional<double> doubleValue() const;
    std::optional<std::int64_t> integerValue() const;
    std::optional<std::string> stringValue() const;
    // Null unless the value is an array.
    const Items* itemsValue() const;

    // Locale-independent text for the monitor: 2.5, 7, text, [{key=value, ...}, ...].
    std::string description() const;
    // {key=value, ...}
    static std::string describeParameters(const Parameters& parameters);

    bool operator==(const APMValue& other) const;

  private:
    std::variant<double, std::int64_t, std::string, std::shared_ptr<const Items>> storage_;
};
