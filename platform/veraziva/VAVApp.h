#pragma once

#include "platform/veraziva/VAVOptions.h"

#include <memory>

// The configured platform app. Configuration reads the main bundle's "VerazivaConfig.plist"; from then
// on the default app exists and the platform frameworks (analytics) accept work.
class VAVApp {
  public:
    // Creates the default app. A second call, or a missing or malformed configuration file, leaves
    // things as they are and says why on the debug console.
    static void configure();
    // Nullptr until configured.
    static std::shared_ptr<VAVApp> defaultApp();
    static bool isDefaultAppConfigured() { return defaultApp() != nullptr; }
    // Forgets the default app so that a test (or a reconfiguration) starts unconfigured.
    static void resetDefaultApp();

    explicit VAVApp(VAVOptions options) : options_(std::move(options)) {}
    const VAVOptions& options() const { return options_; }

  private:
    VAVOptions options_;
};
