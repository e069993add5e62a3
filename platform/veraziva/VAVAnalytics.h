#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/veraziva/APMEvent.h"
#include "platform/veraziva/APMListenerList.h"

#include <optional>
#include <string>

// The analytics facade the screens log their events through. It returns at once and never fails
// toward the caller: refusals and dropped values are written to the monitor (APMMonitor). Accepted
// events are written to the monitor and handed to the event listeners on the caller's thread.
class VAVAnalytics {
  public:
    static void logEventWithNameParameters(const std::string& name,
                                           const std::optional<AnyValue::Dictionary>& parameters);
    static void logEventWithOriginNameParameters(const std::string& origin, const std::string& name,
                                                 const std::optional<AnyValue::Dictionary>& parameters);

    static int addEventListener(APMListenerList<APMEvent>::Listener listener);
    static void removeEventListener(int token);
};
