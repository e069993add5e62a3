#pragma once

#include <string>

// Fills a tooltip or data-label format for one point: "{point.key}" and "{point.x}" become the x
// value, "{point.y}" the y value, "{series.name}" the series' name; other text stays.
class AAPointFormat {
  public:
    static std::string text(const std::string& format, const std::string& seriesName, double x, double y,
                            const std::string& thousandsSeparator);
    // The lines of a format: "<br/>" (or "<br>") breaks the line, other markup tags are dropped.
    static std::string plainText(const std::string& markup);
};
