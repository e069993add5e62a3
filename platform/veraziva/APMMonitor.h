#pragma once

#include "platform/veraziva/APMListenerList.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Levels 0-2 are errors, 3-5 warnings, 6 notices and 7 debug output.
enum class APMLogLevel : int { error = 1, warning = 4, notice = 6, debug = 7 };

struct APMMonitorLine {
    int level = 0;
    int messageCode = 0;
    std::string message;
    std::vector<std::string> context; // at most three values
};

// The analytics library's levelled log: every line carries a level and a numeric message code.
// Lines go to the listeners, and to standard error only when the debug console shows debug prints
// (they are the library's debug output, not notices for the user).
class APMMonitor {
  public:
    static std::shared_ptr<APMMonitor> sharedInstance();

    void log(APMLogLevel level, int messageCode, const std::string& message,
             std::vector<std::string> context = {});

    int addListener(APMListenerList<APMMonitorLine>::Listener listener) {
        return listeners_.add(std::move(listener));
    }
    void removeListener(int token) { listeners_.remove(token); }

  private:
    APMListenerList<APMMonitorLine> listeners_;
};
