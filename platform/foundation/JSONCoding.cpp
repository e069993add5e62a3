#include "platform/foundation/JSONCoding.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace {

using Json = nlohmann::json;

// Deeper nesting than any real document is refused rather than risking the stack.
constexpr int maximumDepth = 512;

std::optional<AnyValue> fromJSON(const Json& json, int depth) {
    if (depth > maximumDepth)
        return std::nullopt;
    switch (json.type()) {
    case Json::value_t::null:
        return AnyValue();
    case Json::value_t::boolean:
        return AnyValue(json.get<bool>());
    case Json::value_t::number_integer:
        return AnyValue(json.get<std::int64_t>());
    case Json::value_t::number_unsigned: {
        const auto number = json.get<std::uint64_t>();
        if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return AnyValue(static_cast<std::int64_t>(number));
        return AnyValue(static_cast<double>(number));
    }
    case Json::value_t::number_float:
        return AnyValue(json.get<double>());
    case Json::value_t::string:
        return AnyValue(json.get_ref<const std::string&>());
    case Json::value_t::array: {
        AnyValue::Array array;
        array.reserve(json.size());
        for (const Json& item : json) {
            std::optional<AnyValue> value = fromJSON(item, depth + 1);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
        }
        return AnyValue(std::move(array));
    }
    case Json::value_t::object: {
        AnyValue::Dictionary dictionary;
        for (const auto& [key, item] : json.items()) {
            std::optional<AnyValue> value = fromJSON(item, depth + 1);
            if (!value)
                return std::nullopt;
            dictionary.insert_or_assign(key, std::move(*value));
        }
        return AnyValue(std::move(dictionary));
    }
    default:
        return std::nullopt;
    }
}

std::optional<Json> toJSON(const AnyValue& value, int depth) {
    if (depth > maximumDepth)
        return std::nullopt;
    switch (value.kind()) {
    case AnyValue::Kind::null:
        return Json(nullptr);
    case AnyValue::Kind::boolean:
        return Json(*value.boolValue());
    case AnyValue::Kind::integer:
        return Json(*value.integerValue());
    case AnyValue::Kind::real: {
        const double real = *value.doubleValue();
        if (!std::isfinite(real))
            return std::nullopt;
        return Json(real);
    }
    case AnyValue::Kind::string:
        return Json(*value.stringPointer());
    case AnyValue::Kind::array: {
        Json array = Json::array();
        for (const AnyValue& item : *value.arrayPointer()) {
            std::optional<Json> json = toJSON(item, depth + 1);
            if (!json)
                return std::nullopt;
            array.push_back(std::move(*json));
        }
        return array;
    }
    case AnyValue::Kind::dictionary: {
        Json object = Json::object();
        for (const auto& [key, item] : *value.dictionaryPointer()) {
            std::optional<Json> json = toJSON(item, depth + 1);
            if (!json)
                return std::nullopt;
            object[key] = std::move(*json);
        }
        return object;
    }
    case AnyValue::Kind::date:
    case AnyValue::Kind::data:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

Result<AnyValue> JSONCoding::decode(std::string_view text) {
    Json json = Json::parse(text.begin(), text.end(), nullptr, false);
    if (json.is_discarded())
        return Result<AnyValue>::failure("The data couldn't be read because it isn't valid JSON.");
    std::optional<AnyValue> value = fromJSON(json, 0);
    if (!value)
        return Result<AnyValue>::failure("The JSON text is nested too deeply.");
    return Result<AnyValue>::success(std::move(*value));
}

Result<std::string> JSONCoding::encode(const AnyValue& value, bool prettyPrinted) {
    std::optional<Json> json = toJSON(value, 0);
    if (!json)
        return Result<std::string>::failure(
            "The value holds a date, data or a number JSON cannot represent.");
    return Result<std::string>::success(
        json->dump(prettyPrinted ? 2 : -1, ' ', false, Json::error_handler_t::replace));
}
