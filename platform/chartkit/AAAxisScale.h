#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <utility>
#include <vector>

// The range and ticks of one axis: what the axis options fix, the rest chosen from the data
// extent and the axis length (about one tick per tickPixelInterval points). An open end reaches
// out to the next tick when endsOnTicks is set, otherwise only when that tick is close.
class AAAxisScale {
  public:
    // The unit range without ticks.
    AAAxisScale() = default;
    AAAxisScale(const nlohmann::json& axis, std::optional<std::pair<double, double>> dataExtent,
                double length, double tickPixelInterval, bool endsOnTicks);

    double min() const { return min_; }
    double max() const { return max_; }
    const std::vector<double>& ticks() const { return ticks_; }
    // Minor tick values, without those that fall on a major tick.
    const std::vector<double>& minorTicks() const { return minorTicks_; }
    // Distance between minor ticks; 0 without them.
    double minorTickInterval() const { return minorTickInterval_; }
    // Where a value lies along the axis, 0 at its start (left or bottom) and 1 at its end.
    double fraction(double value) const;

  private:
    void chooseTicksByInterval(double interval, bool fixedMin, bool fixedMax, bool endsOnTicks);
    void chooseMinorTicks(const nlohmann::json& setting);

    double min_ = 0;
    double max_ = 1;
    double tickInterval_ = 0;
    double minorTickInterval_ = 0;
    bool reversed_ = false;
    std::vector<double> ticks_;
    std::vector<double> minorTicks_;
};
