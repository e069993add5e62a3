#include "app/AllAppMetaData.h"

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

AllAppMetaData AllAppMetaData::decodeRecord(RecordDecoder& decoder) {
    return AllAppMetaData{decoder.required<std::vector<AppMetaData>>("apps")};
}

void AllAppMetaData::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("apps", apps);
}
