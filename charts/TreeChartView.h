#pragma once

#include "platform/uikit/UIView.h"

#include <optional>
#include <string>
#include <vector>

class CGContext;

// Draws the probability tree of a chain of trials: circled branch values, edges, and under each
// leaf the probability of its path in percent with the path itself; highlighted nodes in the
// palette's green, the others in muted grey.
class TreeChartView : public UIView {
  public:
    struct TreeNode {
        // Empty for the root, "0" for a failure branch, "1" for a success branch.
        std::string value;
        std::vector<TreeNode> children;
        // The node lies on a path that can still end with exactly the wanted successes.
        bool isHighlighted = false;
        // The branch values from the root down to this node.
        std::vector<std::string> chainOfEvents;
    };

    explicit TreeChartView(const CGRect& frame);
    explicit TreeChartView(const NSCoder& coder);

    std::optional<TreeNode> rootNode;
    // Kept for the chart; the view does not draw it.
    std::optional<std::string> chartTitle;
    // Decimal number texts of the two probabilities.
    std::optional<std::string> probabilitySuccess;
    std::optional<std::string> probabilityFailure;

    void drawRect(const CGRect& rect) override;
    void drawTree(const CGRect& rect);
    // x is the node's horizontal centre, y the top of its circle, width the room of its subtree.
    void layoutTree(const TreeNode& node, CGContext& context, CGFloat x, CGFloat y, CGFloat width);

    // The text under a leaf: the probability of its path in percent, three blanks and the path
    // ("12.5%   011"); nothing when a probability it needs is absent or no number.
    std::optional<std::string> leafLabel(const TreeNode& node) const;

    // The circles of the last drawing, in the view's coordinates.
    const std::vector<CGRect>& drawnNodeFrames() const { return drawnNodeFrames_; }

  private:
    void drawLeafLabel(const TreeNode& node, CGContext& context, CGFloat x, CGFloat y);

    std::vector<CGRect> drawnNodeFrames_;
};
