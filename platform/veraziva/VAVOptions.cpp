#include "platform/veraziva/VAVOptions.h"

#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"

Result<VAVOptions> VAVOptions::fromBundle(const Bundle& bundle) {
    const std::optional<std::filesystem::path> path = bundle.pathForResource("VerazivaConfig", "plist");
    if (!path)
        return Result<VAVOptions>::failure("VerazivaConfig.plist is not in the bundle");
    const Result<std::string> bytes = FileSystem::readFile(*path);
    if (!bytes)
        return Result<VAVOptions>::failure(bytes.error());
    const Result<AnyValue> plist = PropertyListCoding::decode(*bytes);
    if (!plist)
        return Result<VAVOptions>::failure("VerazivaConfig.plist: " + plist.error());
    const AnyValue* appID = plist->find("APP_ID");
    if (appID == nullptr || appID->stringPointer() == nullptr || appID->stringPointer()->empty())
        return Result<VAVOptions>::failure("VerazivaConfig.plist has no APP_ID");
    std::optional<std::string> remoteConfigURL;
    if (const AnyValue* url = plist->find("REMOTE_CONFIG_URL");
        url != nullptr && url->stringPointer() != nullptr && !url->stringPointer()->empty())
        remoteConfigURL = *url->stringPointer();
    return Result<VAVOptions>::success(VAVOptions(*appID->stringPointer(), std::move(remoteConfigURL)));
}
