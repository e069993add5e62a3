#include "platform/veraziva/APMMonitor.h"

#include "platform/foundation/DebugConsole.h"

#include <cstdio>
#include <mutex>

namespace {

constexpr std::size_t maximumContextValues = 3;

std::string zeroPadded(int code, std::size_t width) {
    std::string digits = std::to_string(code < 0 ? -code : code);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

// "[Veraziva/Analytics][A013001] message: context, context"
std::string formatLine(const APMMonitorLine& line) {
    std::string text = "[Veraziva/Analytics][A" + zeroPadded(line.messageCode, 6) + "] " + line.message;
    for (std::size_t i = 0; i < line.context.size(); ++i)
        text += (i == 0 ? ": " : ", ") + line.context[i];
    return text;
}

} // namespace

std::shared_ptr<APMMonitor> APMMonitor::sharedInstance() {
    static const auto instance = std::make_shared<APMMonitor>();
    return instance;
}

void APMMonitor::log(APMLogLevel level, int messageCode, const std::string& message,
                     std::vector<std::string> context) {
    if (context.size() > maximumContextValues)
        context.resize(maximumContextValues);
    const APMMonitorLine line{static_cast<int>(level), messageCode, message, std::move(context)};
    if (DebugConsole::debugPrintsShown() && !DebugConsole::isSilenced()) {
        static std::mutex outputMutex;
        std::lock_guard lock(outputMutex);
        std::fprintf(stderr, "%s\n", formatLine(line).c_str());
    }
    listeners_.notify(line);
}
