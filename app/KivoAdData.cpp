#include "app/KivoAdData.h"

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

KivoAdData KivoAdData::decodeRecord(RecordDecoder& decoder) {
    KivoAdData ad;
    ad.imageName = decoder.required<std::string>("imageName");
    ad.linkingString = decoder.required<std::string>("linkingString");
    ad.discountNumber = decoder.required<std::string>("discountNumber");
    return ad;
}

void KivoAdData::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("imageName", imageName);
    encoder.set("linkingString", linkingString);
    encoder.set("discountNumber", discountNumber);
}
