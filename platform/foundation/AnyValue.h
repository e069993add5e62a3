#pragma once

#include "platform/foundation/Date.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// A property-list value ("[String: Any]" and its members): null, bool, int64, double, string, date,
// data, array or dictionary. Typed reads give nothing when the value holds another kind.
class AnyValue {
  public:
    using Array = std::vector<AnyValue>;
    using Dictionary = std::map<std::string, AnyValue>;
    using Data = std::vector<std::uint8_t>;

    enum class Kind { null, boolean, integer, real, string, date, data, array, dictionary };

    AnyValue() = default;
    // Out of line: inlined into callers, the variant's copy and move make g++ 12 at -O2 warn that
    // members may be used uninitialized (a false alarm that warnings-as-errors would turn into a failure).
    AnyValue(const AnyValue& other);
    AnyValue(AnyValue&& other) noexcept;
    AnyValue& operator=(const AnyValue& other);
    AnyValue& operator=(AnyValue&& other) noexcept;
    ~AnyValue();
    AnyValue(std::nullptr_t) {}
    AnyValue(bool value) : storage_(value) {}
    // Every integral type except bool becomes an int64 (unsigned values above INT64_MAX wrap).
    template <typename Integer>
    requires(std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>) AnyValue(Integer value)
        : storage_(static_cast<std::int64_t>(value)) {}
    AnyValue(double value) : storage_(value) {}
    AnyValue(const char* value) : storage_(std::string(value)) {}
    AnyValue(std::string_view value) : storage_(std::string(value)) {}
    AnyValue(std::string value) : storage_(std::move(value)) {}
    AnyValue(Date value) : storage_(value) {}
    AnyValue(Data value) : storage_(std::move(value)) {}
    AnyValue(Array value) : storage_(std::move(value)) {}
    AnyValue(Dictionary value) : storage_(std::move(value)) {}
    // Convenience for the common "[String: String]" and "[String]" shapes.
    AnyValue(const std::map<std::string, std::string>& value);
    AnyValue(const std::vector<std::string>& value);

    Kind kind() const { return static_cast<Kind>(storage_.index()); }
    bool isNull() const { return kind() == Kind::null; }
    bool isNumber() const { return kind() == Kind::integer || kind() == Kind::real; }

    std::optional<bool> boolValue() const;
    std::optional<std::int64_t> integerValue() const;
    // Reals, and integers converted to double (numbers read as numbers).
    std::optional<double> doubleValue() const;
    std::optional<std::string> stringValue() const;
    std::optional<Date> dateValue() const;
    std::optional<Data> dataValue() const;
    std::optional<Array> arrayValue() const;
    std::optional<Dictionary> dictionaryValue() const;

    // Borrowing reads: null when the value holds another kind.
    const std::string* stringPointer() const { return std::get_if<std::string>(&storage_); }
    const Array* arrayPointer() const { return std::get_if<Array>(&storage_); }
    const Dictionary* dictionaryPointer() const { return std::get_if<Dictionary>(&storage_); }
    Array* arrayPointer() { return std::get_if<Array>(&storage_); }
    Dictionary* dictionaryPointer() { return std::get_if<Dictionary>(&storage_); }

    // The member under key of a dictionary value; null when absent or not a dictionary.
    const AnyValue* find(const std::string& key) const;

    // "[String: String]": every value a string, else nothing (no element is salvaged).
    std::optional<std::map<std::string, std::string>> stringDictionaryValue() const;
    // "[String]": every element a string, else nothing.
    std::optional<std::vector<std::string>> stringArrayValue() const;
    // "[[String: Any]]": every element a dictionary, else nothing.
    std::optional<std::vector<Dictionary>> dictionaryArrayValue() const;

    // True when the value and everything inside it can be stored in a property list: no null anywhere.
    bool isPropertyListValue() const;

    // Same kind and equal content; an integer never equals a real.
    bool operator==(const AnyValue& other) const;

    static const char* kindName(Kind kind);

  private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, Date, Data, Array, Dictionary>
        storage_;
};
