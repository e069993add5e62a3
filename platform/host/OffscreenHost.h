#pragma once

#include "platform/host/Host.h"

// Runs the app without a window: the main run loop turns, and frames are rendered only when asked
// for (screenshots, automation).
class OffscreenHost : public Host {
  public:
    int run() override;
    CGFloat displayScale() const override;

  protected:
    void stopRunning() override;
};
