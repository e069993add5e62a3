#pragma once

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Result.h"

#include <optional>
#include <string>

// The platform frameworks' settings, read from the bundle's "VerazivaConfig.plist".
class VAVOptions {
  public:
    // Fails when the file is missing, unreadable, not a dictionary or has no "APP_ID" text.
    static Result<VAVOptions> fromBundle(const Bundle& bundle);

    const std::string& appID() const { return appID_; }
    // "REMOTE_CONFIG_URL"; absent when missing or empty.
    const std::optional<std::string>& remoteConfigURL() const { return remoteConfigURL_; }

  private:
    VAVOptions(std::string appID, std::optional<std::string> remoteConfigURL)
        : appID_(std::move(appID)), remoteConfigURL_(std::move(remoteConfigURL)) {}

    std::string appID_;
    std::optional<std::string> remoteConfigURL_;
};
