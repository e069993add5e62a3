#pragma once

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

#include <optional>
#include <string>
#include <vector>

// One formula of a formula catalogue.
struct Formula {
    std::string category;
    std::string subcategory;
    std::string topic;
    std::string type;
    std::string imageName;
    std::string searched;
    std::vector<std::string> given;
    std::string latex;
    std::string identifier;
    std::optional<std::vector<std::string>> conditions;
    std::string description;

    static Formula decodeRecord(RecordDecoder& decoder);
    void encodeRecord(RecordEncoder& encoder) const;
    bool operator==(const Formula&) const = default;
};
