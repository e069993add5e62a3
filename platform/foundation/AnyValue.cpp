#include "platform/foundation/AnyValue.h"

AnyValue::AnyValue(const AnyValue& other) = default;
AnyValue::AnyValue(AnyValue&& other) noexcept = default;
AnyValue& AnyValue::operator=(const AnyValue& other) = default;
AnyValue& AnyValue::operator=(AnyValue&& other) noexcept = default;
AnyValue::~AnyValue() = default;

AnyValue::AnyValue(const std::map<std::string, std::string>& value) {
    Dictionary dictionary;
    for (const auto& [key, text] : value)
        dictionary.emplace(key, AnyValue(text));
    storage_ = std::move(dictionary);
}

AnyValue::AnyValue(const std::vector<std::string>& value) {
    Array array;
    array.reserve(value.size());
    for (const auto& text : value)
        array.emplace_back(text);
    storage_ = std::move(array);
}

namespace {

template <typename T, typename Storage> std::optional<T> copyIf(const Storage& storage) {
    if (const T* value = std::get_if<T>(&storage))
        return *value;
    return std::nullopt;
}

} // namespace

std::optional<bool> AnyValue::boolValue() const {
    return copyIf<bool>(storage_);
}
std::optional<std::int64_t> AnyValue::integerValue() const {
    return copyIf<std::int64_t>(storage_);
}
std::optional<std::string> AnyValue::stringValue() const {
    return copyIf<std::string>(storage_);
}
std::optional<Date> AnyValue::dateValue() const {
    return copyIf<Date>(storage_);
}
std::optional<AnyValue::Data> AnyValue::dataValue() const {
    return copyIf<Data>(storage_);
}
std::optional<AnyValue::Array> AnyValue::arrayValue() const {
    return copyIf<Array>(storage_);
}
std::optional<AnyValue::Dictionary> AnyValue::dictionaryValue() const {
    return copyIf<Dictionary>(storage_);
}

std::optional<double> AnyValue::doubleValue() const {
    if (const double* real = std::get_if<double>(&storage_))
        return *real;
    if (const std::int64_t* integer = std::get_if<std::int64_t>(&storage_))
        return static_cast<double>(*integer);
    return std::nullopt;
}

const AnyValue* AnyValue::find(const std::string& key) const {
    const Dictionary* dictionary = dictionaryPointer();
    if (dictionary == nullptr)
        return nullptr;
    auto found = dictionary->find(key);
    return found == dictionary->end() ? nullptr : &found->second;
}

std::optional<std::map<std::string, std::string>> AnyValue::stringDictionaryValue() const {
    const Dictionary* dictionary = dictionaryPointer();
    if (dictionary == nullptr)
        return std::nullopt;
    std::map<std::string, std::string> result;
    for (const auto& [key, value] : *dictionary) {
        const std::string* text = value.stringPointer();
        if (text == nullptr)
            return std::nullopt;
        result.emplace_hint(result.end(), key, *text);
    }
    return result;
}

std::optional<std::vector<std::string>> AnyValue::stringArrayValue() const {
    const Array* array = arrayPointer();
    if (array == nullptr)
        return std::nullopt;
    std::vector<std::string> result;
    result.reserve(array->size());
    for (const auto& value : *array) {
        const std::string* text = value.stringPointer();
        if (text == nullptr)
            return std::nullopt;
        result.push_back(*text);
    }
    return result;
}

std::optional<std::vector<AnyValue::Dictionary>> AnyValue::dictionaryArrayValue() const {
    const Array* array = arrayPointer();
    if (array == nullptr)
        return std::nullopt;
    std::vector<Dictionary> result;
    result.reserve(array->size());
    for (const auto& value : *array) {
        const Dictionary* dictionary = value.dictionaryPointer();
        if (dictionary == nullptr)
            return std::nullopt;
        result.push_back(*dictionary);
    }
    return result;
}

bool AnyValue::isPropertyListValue() const {
    switch (kind()) {
    case Kind::null:
        return false;
    case Kind::array:
        for (const auto& item : *arrayPointer())
            if (!item.isPropertyListValue())
                return false;
        return true;
    case Kind::dictionary:
        for (const auto& [key, item] : *dictionaryPointer())
            if (!item.isPropertyListValue())
                return false;
        return true;
    default:
        return true;
    }
}

bool AnyValue::operator==(const AnyValue& other) const {
    // Reals compare by value (NaN never equals), everything else by the variant's own equality.
    return storage_ == other.storage_;
}

const char* AnyValue::kindName(Kind kind) {
    switch (kind) {
    case Kind::null:
        return "null";
    case Kind::boolean:
        return "a boolean";
    case Kind::integer:
        return "an integer";
    case Kind::real:
        return "a real number";
    case Kind::string:
        return "a string";
    case Kind::date:
        return "a date";
    case Kind::data:
        return "data";
    case Kind::array:
        return "an array";
    case Kind::dictionary:
        return "a dictionary";
    }
    return "unknown";
}
