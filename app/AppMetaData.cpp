#include "app/AppMetaData.h"

#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"

AppMetaData AppMetaData::decodeRecord(RecordDecoder& decoder) {
    AppMetaData app;
    app.appIdentifiers = decoder.required<std::vector<std::string>>("appIdentifiers");
    app.appName = decoder.required<std::map<std::string, std::string>>("appName");
    app.appURL = decoder.required<std::string>("appURL");
    app.appURLPro = decoder.required<std::string>("appURLPro");
    app.ratingURL = decoder.required<std::string>("ratingURL");
    app.ratingURLPro = decoder.required<std::string>("ratingURLPro");
    app.storeURL = decoder.required<std::string>("storeURL");
    app.storeURLPro = decoder.required<std::string>("storeURLPro");
    app.isMultiApp = decoder.optional<bool>("isMultiApp");
    app.shouldShow = decoder.required<bool>("shouldShow");
    app.calculationsUntilInterstitial = decoder.required<std::int64_t>("calculationsUntilInterstitial");
    return app;
}

void AppMetaData::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("appIdentifiers", appIdentifiers);
    encoder.set("appName", appName);
    encoder.set("appURL", appURL);
    encoder.set("appURLPro", appURLPro);
    encoder.set("ratingURL", ratingURL);
    encoder.set("ratingURLPro", ratingURLPro);
    encoder.set("storeURL", storeURL);
    encoder.set("storeURLPro", storeURLPro);
    encoder.set("isMultiApp", isMultiApp);
    encoder.set("shouldShow", shouldShow);
    encoder.set("calculationsUntilInterstitial", calculationsUntilInterstitial);
}
