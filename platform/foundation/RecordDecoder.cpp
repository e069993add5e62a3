#include "platform/foundation/RecordDecoder.h"

#include "platform/foundation/JSONCoding.h"

#include <nlohmann/json.hpp>

RecordDecoder::RecordDecoder(const AnyValue& record, std::string path)
    : record_(record.dictionaryPointer()), path_(std::move(path)) {
    if (record_ == nullptr)
        failType(record, "an object", path_);
}

const AnyValue* RecordDecoder::member(const std::string& key) {
    auto found = record_->find(key);
    return found == record_->end() ? nullptr : &found->second;
}

void RecordDecoder::fail(std::string error) {
    if (error_.empty())
        error_ = std::move(error);
}

void RecordDecoder::failType(const AnyValue& value, const char* expected, const std::string& path) {
    fail("value at " + (path.empty() ? std::string("top level") : path) + " is " +
         AnyValue::kindName(value.kind()) + ", expected " + expected);
}

std::string RecordDecoder::memberPath(const std::string& path, const std::string& key) {
    return path + (path.empty() ? "" : ".") + nlohmann::json(key).dump();
}

std::string RecordDecoder::elementPath(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

Result<AnyValue> RecordDecoder::parseJSON(std::string_view text) {
    return JSONCoding::decode(text);
}

std::optional<std::int64_t> RecordDecoder::exactInteger(double value) {
    // 2^63 is exactly representable; every double below it in magnitude converts without overflow.
    constexpr double limit = 9223372036854775808.0;
    if (!(value >= -limit && value < limit))
        return std::nullopt;
    const auto whole = static_cast<std::int64_t>(value);
    if (static_cast<double>(whole) != value)
        return std::nullopt;
    return whole;
}
