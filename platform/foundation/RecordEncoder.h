#pragma once

#include "platform/foundation/AnyValue.h"

#include <nlohmann/json.hpp>

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class RecordEncoder;

// A record type encodes itself member by member: `void encodeRecord(RecordEncoder&) const`.
template <typename T>
concept EncodableRecord = requires(const T& record, RecordEncoder& encoder) {
    { record.encodeRecord(encoder) } -> std::same_as<void>;
};

// Writes records to JSON with their members in the order they are set (the counterpart of
// RecordDecoder). Optional members are written only when present. Supported member types are those of
// RecordDecoder; AnyValue members must be JSON values (no date or data).
class RecordEncoder {
  public:
    template <typename T> void set(const std::string& key, const T& value) { json_[key] = toJSON(value); }
    template <typename T> void set(const std::string& key, const std::optional<T>& value) {
        if (value)
            set(key, *value);
    }

    // The record as JSON text.
    std::string jsonText(bool prettyPrinted = false) const;

    // Encodes a whole value (a record, or an array / dictionary of them) to JSON text.
    template <typename T> static std::string encodeJSON(const T& value, bool prettyPrinted = false) {
        return dump(toJSON(value), prettyPrinted);
    }

  private:
    template <typename T> static nlohmann::ordered_json toJSON(const T& value);
    static nlohmann::ordered_json anyToJSON(const AnyValue& value);
    static std::string dump(const nlohmann::ordered_json& json, bool prettyPrinted);

    nlohmann::ordered_json json_ = nlohmann::ordered_json::object();
};

template <typename T> nlohmann::ordered_json RecordEncoder::toJSON(const T& value) {
    if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, bool> ||
                  std::is_same_v<T, std::int64_t> || std::is_same_v<T, double>) {
        return nlohmann::ordered_json(value);
    } else if constexpr (std::is_same_v<T, AnyValue>) {
        return anyToJSON(value);
    } else if constexpr (EncodableRecord<T>) {
        RecordEncoder nested;
        value.encodeRecord(nested);
        return nested.json_;
    } else if constexpr (requires {
                             typename T::value_type;
                             typename T::allocator_type;
                         } &&
                         std::is_same_v<T, std::vector<typename T::value_type>>) {
        nlohmann::ordered_json array = nlohmann::ordered_json::array();
        for (const auto& item : value)
            array.push_back(toJSON(item));
        return array;
    } else if constexpr (requires {
                             typename T::key_type;
                             typename T::mapped_type;
                         } &&
                         std::is_same_v<T, std::map<std::string, typename T::mapped_type>>) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (const auto& [key, item] : value)
            object[key] = toJSON(item);
        return object;
    } else {
        static_assert(sizeof(T) == 0, "RecordEncoder cannot encode this type");
    }
}
