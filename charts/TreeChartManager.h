#pragma once

#include "charts/BernoulliDistributionTreeChartData.h"
#include "charts/TreeChartView.h"

#include <memory>

// Builds the probability tree of a chain of trials inside a titled, scrollable card.
class TreeChartManager {
  public:
    // More levels would make a view too wide to draw; such a chain, like one with a negative number
    // of trials, gets an empty tree.
    static constexpr int maximumTrials = 12;

    // The card: title label above a scroll view holding the tree view.
    static std::shared_ptr<UIView> makeTreeChart(const BernoulliDistributionTreeChartData& data,
                                                 const CGRect& frame);
    // Gives the node n more levels of "0"/"1" children, marking those that can still reach exactly h
    // successes.
    static void placeTreeNodes(TreeChartView::TreeNode& node, int h, int n);
};
