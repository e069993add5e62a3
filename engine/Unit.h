#pragma once

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

#include <string>

// A unit of length with its factor to metres.
struct Unit {
    std::string key;
    std::string latex;
    std::string name;
    double factor = 0;

    static Unit decodeRecord(RecordDecoder& decoder);
    void encodeRecord(RecordEncoder& encoder) const;
    bool operator==(const Unit&) const = default;
};
