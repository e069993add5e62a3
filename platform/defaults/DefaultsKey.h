#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How a value type travels through the user defaults. A stored value of another kind reads as nothing.
template <typename T> struct DefaultsBridge;

template <> struct DefaultsBridge<bool> {
    static AnyValue toAny(bool value) { return AnyValue(value); }
    static std::optional<bool> fromAny(const AnyValue& value) { return value.boolValue(); }
};

template <> struct DefaultsBridge<std::int64_t> {
    static AnyValue toAny(std::int64_t value) { return AnyValue(value); }
    static std::optional<std::int64_t> fromAny(const AnyValue& value) { return value.integerValue(); }
};

template <> struct DefaultsBridge<double> {
    static AnyValue toAny(double value) { return AnyValue(value); }
    static std::optional<double> fromAny(const AnyValue& value) { return value.doubleValue(); }
};

template <> struct DefaultsBridge<std::string> {
    static AnyValue toAny(const std::string& value) { return AnyValue(value); }
    static std::optional<std::string> fromAny(const AnyValue& value) { return value.stringValue(); }
};

template <> struct DefaultsBridge<Date> {
    static AnyValue toAny(Date value) { return AnyValue(value); }
    static std::optional<Date> fromAny(const AnyValue& value) { return value.dateValue(); }
};

template <> struct DefaultsBridge<AnyValue::Dictionary> {
    static AnyValue toAny(const AnyValue::Dictionary& value) { return AnyValue(value); }
    static std::optional<AnyValue::Dictionary> fromAny(const AnyValue& value) {
        return value.dictionaryValue();
    }
};

// An array of dictionaries keyed by text; an array holding anything else reads as nothing.
template <> struct DefaultsBridge<std::vector<AnyValue::Dictionary>> {
    static AnyValue toAny(const std::vector<AnyValue::Dictionary>& value) {
        return AnyValue(AnyValue::Array(value.begin(), value.end()));
    }
    static std::optional<std::vector<AnyValue::Dictionary>> fromAny(const AnyValue& value) {
        return value.dictionaryArrayValue();
    }
};

// A typed user-defaults key with the value that a read gives when the key is absent or holds another
// kind. With T = std::optional<U> the default is "no value", and writing no value removes the key.
template <typename T> class DefaultsKey {
  public:
    explicit DefaultsKey(std::string name, T defaultValue = T{})
        : name_(std::move(name)), defaultValue_(std::move(defaultValue)) {}

    const std::string& name() const { return name_; }
    const T& defaultValue() const { return defaultValue_; }

  private:
    std::string name_;
    T defaultValue_;
};
