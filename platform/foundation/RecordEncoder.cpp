#include "platform/foundation/RecordEncoder.h"

#include "platform/foundation/JSONCoding.h"

std::string RecordEncoder::jsonText(bool prettyPrinted) const {
    return dump(json_, prettyPrinted);
}

nlohmann::ordered_json RecordEncoder::anyToJSON(const AnyValue& value) {
    Result<std::string> text = JSONCoding::encode(value);
    if (!text)
        return nullptr;
    return nlohmann::ordered_json::parse(*text);
}

std::string RecordEncoder::dump(const nlohmann::ordered_json& json, bool prettyPrinted) {
    return json.dump(prettyPrinted ? 2 : -1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
