#include "platform/chartkit/AAChartSeries.h"

#include "platform/chartkit/AAOptionReader.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Taken in turn by series that have no colour of their own when the options name no colours.
constexpr std::array defaultColors{"#1e90ff", "#ef476f", "#ffb000", "#04d69f", "#25547c", "#8a4fff"};
constexpr double defaultMarkerRadius = 4;

AAChartType chartType(const std::string& text) {
    for (const auto type : {AAChartType::area, AAChartType::line, AAChartType::spline, AAChartType::scatter})
        if (aa_jsonText(type) == text)
            return type;
    return AAChartType::line;
}

AAChartSeries::Step stepOf(const nlohmann::json& series) {
    const std::string step = AAOptionReader::text(series, "step", "");
    if (step == "left")
        return AAChartSeries::Step::left;
    if (step == "center")
        return AAChartSeries::Step::center;
    return AAChartSeries::Step::none;
}

std::vector<std::vector<AAChartSeries::Point>> runsOf(const nlohmann::json& data) {
    std::vector<std::vector<AAChartSeries::Point>> runs(1);
    if (data.is_array()) {
        for (const auto& entry : data) {
            const bool drawable = entry.is_array() && entry.size() >= 2 && entry[0].is_number() &&
                                  entry[1].is_number() && std::isfinite(entry[0].get<double>()) &&
                                  std::isfinite(entry[1].get<double>());
            if (drawable)
                runs.back().push_back({entry[0].get<double>(), entry[1].get<double>()});
            else if (!runs.back().empty())
                runs.emplace_back();
        }
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
}

UIColor colorAt(const nlohmann::json& options, const nlohmann::json& series, std::size_t index) {
    const auto& colors =
        options.contains("colors") && options["colors"].is_array() && !options["colors"].empty()
            ? options["colors"]
            : nlohmann::json(defaultColors);
    const auto& theme = colors[index % colors.size()];
    const UIColor themed = AAOptionReader::color(theme.is_string() ? theme.get<std::string>() : "")
                               .value_or(UIColor::blackColor());
    return AAOptionReader::color(series, "color", themed);
}

// A setting of the series' own object, else of the plot-option series defaults.
const nlohmann::json* settingOf(const nlohmann::json& own, const nlohmann::json& defaults, const char* key) {
    if (own.is_object() && own.contains(key))
        return &own[key];
    if (defaults.is_object() && defaults.contains(key))
        return &defaults[key];
    return nullptr;
}

void applyMarker(AAChartSeries& series, const nlohmann::json& own, const nlohmann::json& defaults) {
    const auto& ownMarker = AAOptionReader::object(own, "marker");
    const auto& defaultMarker = AAOptionReader::object(defaults, "marker");
    const auto* radius = settingOf(ownMarker, defaultMarker, "radius");
    const auto* lineWidth = settingOf(ownMarker, defaultMarker, "lineWidth");
    series.markerRadius =
        radius && radius->is_number() ? std::max(0.0, radius->get<double>()) : defaultMarkerRadius;
    series.markerLineWidth =
        lineWidth && lineWidth->is_number() ? std::max(0.0, lineWidth->get<double>()) : 0;
    if (!std::isfinite(series.markerRadius))
        series.markerRadius = defaultMarkerRadius;
    if (!std::isfinite(series.markerLineWidth))
        series.markerLineWidth = 0;
}

void applyDataLabels(AAChartSeries& series, const nlohmann::json& own, const nlohmann::json& defaults) {
    const auto& ownLabels = AAOptionReader::object(own, "dataLabels");
    const auto& defaultLabels = AAOptionReader::object(defaults, "dataLabels");
    const auto* enabled = settingOf(ownLabels, defaultLabels, "enabled");
    const auto* format = settingOf(ownLabels, defaultLabels, "format");
    const auto* style = settingOf(ownLabels, defaultLabels, "style");
    series.dataLabelsEnabled = enabled && enabled->is_boolean() && enabled->get<bool>();
    series.dataLabelFormat = format && format->is_string() ? format->get<std::string>() : "{point.y}";
    if (style) {
        series.dataLabelColor = AAOptionReader::color(AAOptionReader::text(*style, "color", ""));
        series.dataLabelOutline = std::max(0.0, AAOptionReader::number(*style, "textOutline", 1));
    }
}

template <class Coordinate>
std::optional<std::pair<double, double>> extent(const std::vector<AAChartSeries>& series,
                                                Coordinate coordinate) {
    std::optional<std::pair<double, double>> range;
    for (const auto& s : series)
        for (const auto& run : s.runs)
            for (const auto& point : run) {
                const double value = coordinate(point);
                range = range ? std::pair(std::min(range->first, value), std::max(range->second, value))
                              : std::pair(value, value);
            }
    return range;
}

} // namespace

std::vector<AAChartSeries> AAChartSeries::fromOptions(const nlohmann::json& options) {
    const AAChartType type =
        chartType(AAOptionReader::text(AAOptionReader::object(options, "chart"), "type", "line"));
    const auto& defaults = AAOptionReader::object(AAOptionReader::object(options, "plotOptions"), "series");
    std::vector<AAChartSeries> result;
    if (!options.is_object() || !options.contains("series") || !options["series"].is_array())
        return result;
    for (const auto& own : options["series"]) {
        AAChartSeries series;
        series.name = AAOptionReader::text(own, "name", "");
        series.type = type;
        series.color = colorAt(options, own, result.size());
        series.runs = runsOf(own.is_object() && own.contains("data") ? own["data"] : nlohmann::json());
        series.step = stepOf(own);
        applyMarker(series, own, defaults);
        applyDataLabels(series, own, defaults);
        result.push_back(std::move(series));
    }
    return result;
}

std::optional<std::pair<double, double>> AAChartSeries::xExtent(const std::vector<AAChartSeries>& series) {
    return extent(series, [](const Point& p) { return p.x; });
}

std::optional<std::pair<double, double>> AAChartSeries::yExtent(const std::vector<AAChartSeries>& series) {
    return extent(series, [](const Point& p) { return p.y; });
}
