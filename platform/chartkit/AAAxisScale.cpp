#include "platform/chartkit/AAAxisScale.h"

#include "platform/chartkit/AANumberText.h"
#include "platform/chartkit/AAOptionReader.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// More ticks than this means an interval that does not fit the range; the axis then chooses its own.
constexpr double maxTickCount = 1000;
constexpr double maxMinorTickCount = 5000;
// An open end that does not end on ticks still takes a tick this close (share of the interval).
constexpr double closeTickShare = 0.1;

std::vector<double> finiteNumbers(const nlohmann::json& object, const char* key) {
    std::vector<double> values;
    const auto it = object.find(key);
    if (it == object.end() || !it->is_array())
        return values;
    for (const auto& entry : *it)
        if (entry.is_number() && std::isfinite(entry.get<double>()))
            values.push_back(entry.get<double>());
    std::sort(values.begin(), values.end());
    return values;
}

// A round interval (1, 2, 2.5 or 5 times a power of ten) giving about targetCount steps.
double niceInterval(double range, double targetCount) {
    const double raw = range / std::max(targetCount, 1.0);
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double multiple : std::array{1.0, 2.0, 2.5, 5.0, 10.0})
        if (multiple * magnitude >= raw * (1 - 1e-9))
            return multiple * magnitude;
    return 10 * magnitude;
}

// Multiples of interval within [from, to], or nothing when there would be more than maxCount.
std::vector<double> multiplesWithin(double from, double to, double interval, double maxCount) {
    std::vector<double> values;
    const double first = std::ceil(from / interval - 1e-9);
    const double last = std::floor(to / interval + 1e-9);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first + 1 > maxCount)
        return values;
    for (double k = first; k <= last; ++k)
        values.push_back(AANumberText::corrected(k * interval) + 0.0); // never -0
    return values;
}

} // namespace

AAAxisScale::AAAxisScale(const nlohmann::json& axis, std::optional<std::pair<double, double>> dataExtent,
                         double length, double tickPixelInterval, bool endsOnTicks) {
    const nlohmann::json& options = axis.is_object() ? axis : nlohmann::json::object();
    reversed_ = AAOptionReader::flag(options, "reversed", false);
    auto fixedMin = AAOptionReader::number(options, "min");
    auto fixedMax = AAOptionReader::number(options, "max");
    if (fixedMin && fixedMax && *fixedMin > *fixedMax)
        std::swap(fixedMin, fixedMax);

    const std::vector<double> positions = finiteNumbers(options, "tickPositions");
    auto [low, high] = dataExtent.value_or(std::pair(0.0, 1.0));
    if (!positions.empty()) {
        low = std::min(low, positions.front());
        high = std::max(high, positions.back());
    }
    low = fixedMin.value_or(fixedMax ? std::min(low, *fixedMax) : low);
    high = fixedMax.value_or(fixedMin ? std::max(high, *fixedMin) : high);
    if (!(high - low > 0) || !std::isfinite(high - low)) {
        // A single value, or a span no double holds: show a unit around the middle.
        const double middle = std::isfinite(low + (high - low) / 2) ? low + (high - low) / 2 : 0;
        low = middle - 0.5;
        high = middle + 0.5;
        fixedMin = fixedMax = std::nullopt;
    }
    min_ = low;
    max_ = high;

    if (!positions.empty()) {
        for (const double position : positions)
            if (position >= min_ - 1e-9 * (max_ - min_) && position <= max_ + 1e-9 * (max_ - min_))
                ticks_.push_back(position);
        tickInterval_ = positions.size() > 1 ? positions[1] - positions[0] : 0;
    } else {
        const auto interval = AAOptionReader::number(options, "tickInterval");
        const double targetCount = tickPixelInterval > 0 ? length / tickPixelInterval : 5;
        const bool fits = interval && *interval > 0 && (max_ - min_) / *interval <= maxTickCount;
        chooseTicksByInterval(fits ? *interval : niceInterval(max_ - min_, targetCount), fixedMin.has_value(),
                              fixedMax.has_value(), endsOnTicks);
    }
    if (options.contains("minorTickInterval"))
        chooseMinorTicks(options["minorTickInterval"]);
}

void AAAxisScale::chooseTicksByInterval(double interval, bool fixedMin, bool fixedMax, bool endsOnTicks) {
    tickInterval_ = interval;
    const double reach = endsOnTicks ? interval : interval * closeTickShare;
    const double lowerTick = AANumberText::corrected(std::floor(min_ / interval + 1e-9) * interval);
    const double upperTick = AANumberText::corrected(std::ceil(max_ / interval - 1e-9) * interval);
    if (!fixedMin && min_ - lowerTick <= reach)
        min_ = lowerTick;
    if (!fixedMax && upperTick - max_ <= reach)
        max_ = upperTick;
    ticks_ = multiplesWithin(min_, max_, interval, maxTickCount + 2);
}

void AAAxisScale::chooseMinorTicks(const nlohmann::json& setting) {
    double interval = 0;
    if (setting.is_number())
        interval = setting.get<double>();
    else if (setting.is_string() && setting.get<std::string>() == "auto")
        interval = tickInterval_ / 5;
    if (!(interval > 0) || !std::isfinite(interval))
        return;
    minorTickInterval_ = interval;
    for (const double value : multiplesWithin(min_, max_, interval, maxMinorTickCount)) {
        const bool onMajor = std::any_of(ticks_.begin(), ticks_.end(), [&](double tick) {
            return std::fabs(tick - value) < interval * 1e-6;
        });
        if (!onMajor)
            minorTicks_.push_back(value);
    }
}

double AAAxisScale::fraction(double value) const {
    const double f = (value - min_) / (max_ - min_);
    return reversed_ ? 1 - f : f;
}
