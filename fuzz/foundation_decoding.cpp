// Untrusted bytes through every decoder of the foundation layer: property lists (XML and binary), JSON,
// strict record decoding and URL parsing must give values or failures, never crash.
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/URL.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Record {
    std::string name;
    std::int64_t count = 0;
    std::optional<std::map<std::string, double>> rules;
    std::vector<std::string> tags;

    static Record decodeRecord(RecordDecoder& decoder) {
        Record record;
        record.name = decoder.required<std::string>("name");
        record.count = decoder.required<std::int64_t>("count");
        record.rules = decoder.optional<std::map<std::string, double>>("rules");
        record.tags = decoder.required<std::vector<std::string>>("tags");
        return record;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (Result<AnyValue> plist = PropertyListCoding::decode(bytes)) {
        // A few hundred bytes can expand, within the decoding limits, to millions of values, which take
        // seconds to write and read again; only smaller values go round, to keep each run short.
        constexpr std::size_t largestRoundTrip = 1 << 20;
        Result<std::string> xml = PropertyListCoding::encode(*plist);
        if (xml && xml->size() <= largestRoundTrip) {
            PropertyListCoding::decode(*xml);
            PropertyListCoding::encode(*plist, PropertyListCoding::Format::binary);
        }
    }

    if (Result<AnyValue> json = JSONCoding::decode(bytes)) {
        JSONCoding::encode(*json);
        RecordDecoder::decode<std::vector<Record>>(*json);
        RecordDecoder::decode<std::map<std::string, std::vector<Record>>>(*json);
    }

    URL::URLWithString(bytes);
    return 0;
}
