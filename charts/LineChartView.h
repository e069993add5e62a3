#pragma once

#include "platform/chartkit/AAChartEnums.h"
#include "platform/chartkit/AAChartModel.h"
#include "platform/chartkit/AAChartView.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Line charts drawn by the chart library on a card (nib "LineChartView").
class LineChartView : public UIView {
  public:
    // One line of a combined chart.
    struct LineRecord {
        std::string seriesName;
        // Start and end point.
        std::vector<std::vector<double>> segment;
        std::vector<std::vector<double>> markedPoints;
        std::string colorHex;
        std::string dataLabelText;
    };

    // Loads the nib into the new view.
    static std::shared_ptr<LineChartView> withFrame(const CGRect& frame);

    std::shared_ptr<UIView> contentView;
    // Declared by the family's chart views and never set: chartView is the one that draws.
    std::shared_ptr<AAChartView> aaChartView;
    std::optional<AAChartModel> aaChartModel;
    std::shared_ptr<AAChartView> chartView;

    void setupView();
    void drawLine(const std::vector<std::vector<double>>& segment,
                  const std::vector<std::vector<double>>& markedPoints, const std::string& seriesName,
                  const std::string& title, const std::string& colorHex, AAChartType chartType,
                  float markerRadius, double xMin, double xMax, double yMin, double yMax);
    void drawLines(const std::vector<LineRecord>& lines, const std::string& title, AAChartType chartType,
                   float markerRadius, double xMin, double xMax, double yMin, double yMax);
    void drawDistributionFunction(const std::vector<std::vector<double>>& dataSet,
                                  const std::vector<std::vector<double>>& extendedDataSet,
                                  const std::string& seriesName, const std::string& title,
                                  const std::string& xAxisName, const std::string& colorHex,
                                  AAChartType chartType, std::optional<double> yMin,
                                  std::optional<double> yMax, float markerRadius);

  private:
    explicit LineChartView(const CGRect& frame) : UIView(frame) {}
};
