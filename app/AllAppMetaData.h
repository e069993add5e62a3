#pragma once

#include "app/AppMetaData.h"

#include <vector>

// The maker's whole catalogue: {"apps": [...]}, in the order every list shows the apps.
struct AllAppMetaData {
    std::vector<AppMetaData> apps;

    static AllAppMetaData decodeRecord(RecordDecoder& decoder);
    void encodeRecord(RecordEncoder& encoder) const;

    bool operator==(const AllAppMetaData&) const = default;
};
