#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class RecordDecoder;
class RecordEncoder;

// One app of the maker's catalogue, as remote configuration describes it. Every member but
// isMultiApp is required in JSON; members of other names are ignored.
struct AppMetaData {
    std::vector<std::string> appIdentifiers;
    std::map<std::string, std::string> appName;
    std::string appURL;
    std::string appURLPro;
    std::string ratingURL;
    std::string ratingURLPro;
    std::string storeURL;
    std::string storeURLPro;
    std::optional<bool> isMultiApp;
    bool shouldShow = false;
    std::int64_t calculationsUntilInterstitial = 0;

    static AppMetaData decodeRecord(RecordDecoder& decoder);
    // The members in declaration order; isMultiApp only when present.
    void encodeRecord(RecordEncoder& encoder) const;

    bool operator==(const AppMetaData&) const = default;
};
