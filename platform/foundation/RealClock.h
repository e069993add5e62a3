#pragma once

#include "platform/foundation/Clock.h"

class RealClock : public Clock {
  public:
    TimePoint now() const override;
    Date date() const override;
    bool isManual() const override { return false; }
};
