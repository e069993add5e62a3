#pragma once

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

#include <map>
#include <optional>
#include <string>

// A named quantity of a formula topic, with its LaTeX and unit.
struct Symbol {
    std::string category;
    std::string subcategory;
    std::string topic;
    std::string key;
    std::string latex;
    std::string name;
    std::string unit;
    std::optional<std::map<std::string, double>> rules;

    static Symbol decodeRecord(RecordDecoder& decoder);
    void encodeRecord(RecordEncoder& encoder) const;
    bool operator==(const Symbol&) const = default;
};
