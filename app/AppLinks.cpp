#include "app/AppLinks.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"

#include <cstdlib>

namespace {

AppLinks load() {
    AnyValue::Dictionary entries;
    if (auto path = Bundle::mainBundle()->pathForResource("AppLinks", "plist")) {
        if (auto bytes = FileSystem::readFile(*path)) {
            if (auto plist = PropertyListCoding::decode(*bytes)) {
                entries = plist->dictionaryValue().value_or(AnyValue::Dictionary{});
            }
        }
    }
    auto entry = [&entries](const char* key) { return entries[key].stringValue().value_or(""); };
    AppLinks links{entry("videoWatchLinkPrefix"), entry("videoShortLinkPrefix"), entry("communityLink"),
                   entry("connectivityProbeURL")};
    if (const char* probe = std::getenv("OMBREL_CONNECTIVITY_URL"); probe != nullptr && *probe != '\0') {
        links.connectivityProbeURL = probe;
    }
    return links;
}

} // namespace

const AppLinks& AppLinks::shared() {
    static const AppLinks links = load();
    return links;
}
