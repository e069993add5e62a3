#pragma once

// The root of every chart description. Descriptions are told apart by their class; they are
// shared by reference and only read once their creator has filled them.
class ChartData {
  public:
    virtual ~ChartData() = default;

    // Width to height of the chart view.
    double frameRatio = 0;
};
