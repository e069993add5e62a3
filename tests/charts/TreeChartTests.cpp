#include "ChartSamples.h"
#include "ChartsTestSupport.h"

#include "charts/TreeChartManager.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScrollView.h"

#include <functional>
#include <set>

namespace {

using TreeNode = TreeChartView::TreeNode;

std::string path(const TreeNode& node) {
    std::string text;
    for (const auto& event : node.chainOfEvents)
        text += event;
    return text;
}

// Every node, depth first, the "0" child before the "1" child.
void collect(const TreeNode& node, std::vector<const TreeNode*>& out) {
    out.push_back(&node);
    for (const auto& child : node.children)
        collect(child, out);
}

std::set<std::string> highlightedPaths(const TreeNode& root) {
    std::vector<const TreeNode*> nodes;
    collect(root, nodes);
    std::set<std::string> paths;
    for (const TreeNode* node : nodes)
        if (node->isHighlighted)
            paths.insert(path(*node));
    return paths;
}

std::vector<const TreeNode*> leaves(const TreeNode& root) {
    std::vector<const TreeNode*> nodes, result;
    collect(root, nodes);
    for (const TreeNode* node : nodes)
        if (node->children.empty())
            result.push_back(node);
    return result;
}

class TreeChartTest : public ChartsTest {};

} // namespace

TEST_F(TreeChartTest, PathsThatCanStillEndWithExactlyTheHitsAreHighlighted) {
    TreeNode root{"", {}, true, {}};
    TreeChartManager::placeTreeNodes(root, 2, 3);
    EXPECT_EQ(highlightedPaths(root),
              (std::set<std::string>{"", "0", "1", "01", "10", "11", "011", "101", "110"}));
    const auto ends = leaves(root);
    ASSERT_EQ(ends.size(), 8u);
    std::vector<std::string> order;
    for (const TreeNode* leaf : ends)
        order.push_back(path(*leaf));
    EXPECT_EQ(order, (std::vector<std::string>{"000", "001", "010", "011", "100", "101", "110", "111"}));

    for (const int hits : {4, -1}) {
        TreeNode outside{"", {}, true, {}};
        TreeChartManager::placeTreeNodes(outside, hits, 3);
        EXPECT_EQ(highlightedPaths(outside), std::set<std::string>{""})
            << "only the root for " << hits << " hits";
        EXPECT_EQ(leaves(outside).size(), 8u);
    }
}

TEST_F(TreeChartTest, LeavesShowTheProbabilityOfTheirPathFromTheShownTexts) {
    const auto evenCard = TreeChartManager::makeTreeChart(*samples::chain(0.5, 3, 2), {20, 10, 360, 180});
    const auto even = viewIn<TreeChartView>(evenCard);
    ASSERT_NE(even, nullptr);
    ASSERT_TRUE(even->rootNode.has_value());
    for (const TreeNode* leaf : leaves(*even->rootNode))
        EXPECT_EQ(even->leafLabel(*leaf), "12.5%   " + path(*leaf));

    const auto third = viewIn<TreeChartView>(
        TreeChartManager::makeTreeChart(*samples::chain(1.0 / 3, 2, 1), {0, 0, 360, 180}));
    EXPECT_EQ(third->probabilitySuccess, "0.333333");
    EXPECT_EQ(third->probabilityFailure, "0.666667");
    EXPECT_EQ(third->leafLabel(third->rootNode->children[1].children[1]), "11.11%   11");
    EXPECT_EQ(third->leafLabel(third->rootNode->children[0].children[0]), "44.44%   00");

    third->probabilitySuccess = "one third";
    EXPECT_EQ(third->leafLabel(third->rootNode->children[1].children[1]), std::nullopt);
    EXPECT_EQ(third->leafLabel(third->rootNode->children[0].children[0]), "44.44%   00");
}

TEST_F(TreeChartTest, SingleNodeChainAndChainsTooLongOrNegativeKeepTheSmallestSize) {
    const auto single =
        viewIn<TreeChartView>(TreeChartManager::makeTreeChart(*samples::chain(0.3, 0, 0), {0, 0, 360, 180}));
    ASSERT_TRUE(single->rootNode.has_value());
    EXPECT_EQ(single->leafLabel(*single->rootNode), "100%   ");

    for (const int trials : {TreeChartManager::maximumTrials + 1, -2}) {
        const auto tree = viewIn<TreeChartView>(
            TreeChartManager::makeTreeChart(*samples::chain(0.3, trials, 1), {0, 0, 360, 180}));
        EXPECT_FALSE(tree->rootNode.has_value()) << trials;
    }
    const auto largest = viewIn<TreeChartView>(TreeChartManager::makeTreeChart(
        *samples::chain(0.3, TreeChartManager::maximumTrials, 1), {0, 0, 360, 180}));
    EXPECT_EQ(leaves(*largest->rootNode).size(), 4096u);
}

TEST_F(TreeChartTest, HighlightedNodesAreDrawnInTheAccentColourTheOthersMuted) {
    const auto tree =
        viewIn<TreeChartView>(TreeChartManager::makeTreeChart(*samples::chain(0.5, 3, 2), {0, 0, 360, 180}));
    const auto image = snapshot(*tree);
    const CGFloat midX = tree->bounds().midX();
    // Node tops: the root at y 60, children 50 lower, spread over a quarter of the room per level.
    EXPECT_TRUE(pixels::near(image->colorAtPoint({midX, 60}), {0, 0.9, 0.46, 1}, 0.15)) << "the root";
    EXPECT_TRUE(pixels::near(image->colorAtPoint({midX + 99, 160}), {0, 0.9, 0.46, 1}, 0.15)) << "node 11";
    // Grey at 0.3 over white, checked on the left of the circle where no edge meets it.
    EXPECT_TRUE(pixels::near(image->colorAtPoint({midX - 99 - 15, 175}), {0.87, 0.87, 0.87, 1}, 0.06))
        << "node 00";
}

// In dark mode the title, the probabilities and the branch values are drawn in the light label colour.
TEST_F(TreeChartTest, TextsStayReadableInDarkModeAndTheTreeScrollsInItsCard) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    const auto card = TreeChartManager::makeTreeChart(*samples::chain(0.5, 1, 1), {0, 0, 360, 180});
    const auto title = viewIn<UILabel>(card);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Bernoulli chain");
    EXPECT_EQ(title->textColor(), UIColor::labelColor());
    // Room for every leaf side by side, and below the last level for the slanted leaf labels.
    EXPECT_EQ(viewIn<UIScrollView>(card)->contentSize(), (CGSize{2 * 33 + 200, 1 * 60 + 140}));

    const auto tree = viewIn<TreeChartView>(card);
    const auto image = snapshot(*tree, 3);
    const auto lightPixels = [&](const CGRect& area) {
        int light = 0;
        for (CGFloat y = area.minY(); y <= area.maxY(); y += 0.5)
            for (CGFloat x = area.minX(); x <= area.maxX(); x += 0.5)
                if (const auto c = image->colorAtPoint({x, y});
                    c && c->red > 0.7 && c->green > 0.7 && c->blue > 0.7)
                    ++light;
        return light;
    };
    const CGFloat midX = tree->bounds().midX();
    // The "1" of the success branch: one level down, a quarter of the room (66) right of the root.
    EXPECT_GT(lightPixels({midX + 16.5 - 5, 125 - 7, 10, 14}), 10) << "branch value";
    // The success probability, an eighth of the width right of the root, 80 points down.
    EXPECT_GT(lightPixels({midX + tree->bounds().width() / 8, 80, 20, 16}), 10) << "probability";
}
