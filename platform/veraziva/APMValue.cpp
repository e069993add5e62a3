#include "platform/veraziva/APMValue.h"

#include <charconv>

namespace {

std::optional<APMValue> scalarFromAnyValue(const AnyValue& value) {
    switch (value.kind()) {
    case AnyValue::Kind::boolean:
        return APMValue(std::int64_t{*value.boolValue() ? 1 : 0});
    case AnyValue::Kind::integer:
        return APMValue(*value.integerValue());
    case AnyValue::Kind::real:
        return APMValue(*value.doubleValue());
    case AnyValue::Kind::string:
        return APMValue(*value.stringPointer());
    default:
        return std::nullopt;
    }
}

std::optional<APMValue::Parameters> itemFromAnyValue(const AnyValue& value) {
    const AnyValue::Dictionary* dictionary = value.dictionaryPointer();
    if (dictionary == nullptr)
        return std::nullopt;
    APMValue::Parameters item;
    for (const auto& [key, member] : *dictionary) {
        std::optional<APMValue> converted = scalarFromAnyValue(member);
        if (!converted)
            return std::nullopt;
        item.emplace(key, std::move(*converted));
    }
    return item;
}

std::string realText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

APMValue::APMValue(Items items) : storage_(std::make_shared<const Items>(std::move(items))) {}

std::optional<APMValue> APMValue::fromAnyValue(const AnyValue& value) {
    const AnyValue::Array* array = value.arrayPointer();
    if (array == nullptr)
        return scalarFromAnyValue(value);
    Items items;
    items.reserve(array->size());
    for (const AnyValue& element : *array) {
        std::optional<Parameters> item = itemFromAnyValue(element);
        if (!item)
            return std::nullopt;
        items.push_back(std::move(*item));
    }
    return APMValue(std::move(items));
}

std::optional<double> APMValue::doubleValue() const {
    if (const double* value = std::get_if<double>(&storage_))
        return *value;
    return std::nullopt;
}

std::optional<std::int64_t> APMValue::integerValue() const {
    if (const std::int64_t* value = std::get_if<std::int64_t>(&storage_))
        return *value;
    return std::nullopt;
}

std::optional<std::string> APMValue::stringValue() const {
    if (const std::string* value = std::get_if<std::string>(&storage_))
        return *value;
    return std::nullopt;
}

const APMValue::Items* APMValue::itemsValue() const {
    if (const auto* items = std::get_if<std::shared_ptr<const Items>>(&storage_))
        return items->get();
    return nullptr;
}

std::string APMValue::description() const {
    switch (kind()) {
    case Kind::real:
        return realText(*doubleValue());
    case Kind::integer:
        return std::to_string(*integerValue());
    case Kind::string:
        return *stringValue();
    case Kind::array:
        break;
    }
    std::string text = "[";
    for (const Parameters& item : *itemsValue()) {
        if (text.size() > 1)
            text += ", ";
        text += describeParameters(item);
    }
    return text + "]";
}

std::string APMValue::describeParameters(const Parameters& parameters) {
    std::string text = "{";
    for (const auto& [key, value] : parameters) {
        if (text.size() > 1)
            text += ", ";
        text += key + "=" + value.description();
    }
    return text + "}";
}

bool APMValue::operator==(const APMValue& other) const {
    if (kind() != other.kind())
        return false;
    if (kind() == Kind::array)
        return *itemsValue() == *other.itemsValue();
    return storage_ == other.storage_;
}
