#pragma once

#include <string>

class RecordDecoder;
class RecordEncoder;

// One in-house promotion: the picture's base name, the link of the offer and the discount figure.
// All three are required JSON strings.
struct KivoAdData {
    std::string imageName;
    std::string linkingString;
    std::string discountNumber;

    static KivoAdData decodeRecord(RecordDecoder& decoder);
    void encodeRecord(RecordEncoder& encoder) const;

    bool operator==(const KivoAdData&) const = default;
};
