#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Result.h"

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class RecordDecoder;

// A record type decodes itself from a dictionary: `static T decodeRecord(RecordDecoder&)`.
template <typename T>
concept DecodableRecord = requires(RecordDecoder& decoder) {
    { T::decodeRecord(decoder) } -> std::same_as<T>;
};

// Strict decoding of records from AnyValue dictionaries (usually from JSON):
// a required member that is missing, null or of another type fails the whole value; unknown members
// are ignored; optional members may be absent or null. After the first failure every read returns
// an empty value and the first error is kept, so a record decoder reads straight through and the
// caller looks at failed() once.
//
// Supported member types: std::string, bool, std::int64_t (a number without fraction), double (any
// number), AnyValue (any non-null value), std::vector<T>, std::map<std::string, T>, and record types.
class RecordDecoder {
  public:
    // A value that is not a dictionary fails at once. The record must outlive the decoder.
    explicit RecordDecoder(const AnyValue& record, std::string path = {});

    template <typename T> T required(const std::string& key);
    template <typename T> std::optional<T> optional(const std::string& key);

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }

    // Decodes a whole value (a record, or an array / dictionary of them, or a plain type).
    template <typename T> static Result<T> decode(const AnyValue& value);
    // Parses JSON text, then decodes it; malformed JSON fails as well.
    template <typename T> static Result<T> decodeJSON(std::string_view text);

  private:
    RecordDecoder() = default;
    template <typename T> bool decodeValue(const AnyValue& value, T& out, const std::string& path);
    const AnyValue* member(const std::string& key);
    void fail(std::string error);
    void failType(const AnyValue& value, const char* expected, const std::string& path);
    static std::string memberPath(const std::string& path, const std::string& key);
    static std::string elementPath(const std::string& path, std::size_t index);
    static Result<AnyValue> parseJSON(std::string_view text);
    static std::optional<std::int64_t> exactInteger(double value);

    const AnyValue::Dictionary* record_ = nullptr;
    std::string path_;
    std::string error_;
};

template <typename T> T RecordDecoder::required(const std::string& key) {
    T out{};
    if (failed())
        return out;
    const AnyValue* value = member(key);
    if (value == nullptr) {
        fail("missing required member " + memberPath(path_, key));
        return out;
    }
    if (value->isNull()) {
        fail("required member " + memberPath(path_, key) + " is null");
        return out;
    }
    if (!decodeValue(*value, out, memberPath(path_, key)))
        return T{};
    return out;
}

template <typename T> std::optional<T> RecordDecoder::optional(const std::string& key) {
    if (failed())
        return std::nullopt;
    const AnyValue* value = member(key);
    if (value == nullptr || value->isNull())
        return std::nullopt;
    T out{};
    if (!decodeValue(*value, out, memberPath(path_, key)))
        return std::nullopt;
    return out;
}

template <typename T>
bool RecordDecoder::decodeValue(const AnyValue& value, T& out, const std::string& path) {
    if constexpr (std::is_same_v<T, std::string>) {
        if (auto text = value.stringValue()) {
            out = std::move(*text);
            return true;
        }
        failType(value, "a string", path);
        return false;
    } else if constexpr (std::is_same_v<T, bool>) {
        if (auto flag = value.boolValue()) {
            out = *flag;
            return true;
        }
        failType(value, "a boolean", path);
        return false;
    } else if constexpr (std::is_same_v<T, std::int64_t>) {
        if (auto number = value.integerValue()) {
            out = *number;
            return true;
        }
        // A real with an integral value in range reads as that integer, as JSON numbers do.
        if (auto real = value.doubleValue()) {
            if (auto whole = exactInteger(*real)) {
                out = *whole;
                return true;
            }
        }
        failType(value, "an integer", path);
        return false;
    } else if constexpr (std::is_same_v<T, double>) {
        if (auto number = value.doubleValue()) {
            out = *number;
            return true;
        }
        failType(value, "a number", path);
        return false;
    } else if constexpr (std::is_same_v<T, AnyValue>) {
        out = value;
        return true;
    } else if constexpr (DecodableRecord<T>) {
        RecordDecoder nested(value, path);
        if (!nested.failed())
            out = T::decodeRecord(nested);
        if (nested.failed()) {
            fail(nested.error());
            return false;
        }
        return true;
    } else if constexpr (requires {
                             typename T::value_type;
                             typename T::allocator_type;
                         } &&
                         std::is_same_v<T, std::vector<typename T::value_type>>) {
        const AnyValue::Array* array = value.arrayPointer();
        if (array == nullptr) {
            failType(value, "an array", path);
            return false;
        }
        out.clear();
        out.reserve(array->size());
        for (std::size_t i = 0; i < array->size(); ++i) {
            const std::string itemPath = elementPath(path, i);
            if ((*array)[i].isNull()) {
                fail("element " + itemPath + " is null");
                return false;
            }
            typename T::value_type item{};
            if (!decodeValue((*array)[i], item, itemPath))
                return false;
            out.push_back(std::move(item));
        }
        return true;
    } else if constexpr (requires {
                             typename T::key_type;
                             typename T::mapped_type;
                         } &&
                         std::is_same_v<T, std::map<std::string, typename T::mapped_type>>) {
        const AnyValue::Dictionary* dictionary = value.dictionaryPointer();
        if (dictionary == nullptr) {
            failType(value, "an object", path);
            return false;
        }
        out.clear();
        for (const auto& [key, item] : *dictionary) {
            const std::string itemPath = memberPath(path, key);
            if (item.isNull()) {
                fail("member " + itemPath + " is null");
                return false;
            }
            typename T::mapped_type decoded{};
            if (!decodeValue(item, decoded, itemPath))
                return false;
            out.emplace(key, std::move(decoded));
        }
        return true;
    } else {
        static_assert(sizeof(T) == 0, "RecordDecoder cannot decode this type");
    }
}

template <typename T> Result<T> RecordDecoder::decode(const AnyValue& value) {
    RecordDecoder top;
    T out{};
    if (value.isNull())
        return Result<T>::failure("the value is null");
    if (!top.decodeValue(value, out, {}))
        return Result<T>::failure(top.error());
    return Result<T>::success(std::move(out));
}

template <typename T> Result<T> RecordDecoder::decodeJSON(std::string_view text) {
    Result<AnyValue> parsed = parseJSON(text);
    if (!parsed)
        return Result<T>::failure(parsed.error());
    return decode<T>(*parsed);
}
