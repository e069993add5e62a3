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

// The tree view inside the card the manager builds.
std::shared_ptr<TreeChartView> treeViewOf(const std::shared_ptr<UIView>& card) {
    for (const auto& view : card->subviews())
        if (const auto scroll = std::dynamic_pointer_cast<UIScrollView>(view))
            for (const auto& content : scroll->subviews())
                if (const auto tree = std::dynamic_pointer_cast<TreeChartView>(content))
                    return tree;
    return nullptr;
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
    EXPECT_EQ(root.children[1].children[0].value, "0");
    EXPECT_EQ(root.children[1].children[1].value, "1");

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
    const auto even = treeViewOf(evenCard);
    ASSERT_NE(even, nullptr);
    ASSERT_TRUE(even->rootNode.has_value());
    for (const TreeNode* leaf : leaves(*even->rootNode))
        EXPECT_EQ(even->leafLabel(*leaf), "12.5%   " + path(*leaf));

    const auto third =
        treeViewOf(TreeChartManager::makeTreeChart(*samples::chain(1.0 / 3, 2, 1), {0, 0, 360, 180}));
    EXPECT_EQ(third->probabilitySuccess, "0.333333");
    EXPECT_EQ(third->probabilityFailure, "0.666667");
    EXPECT_EQ(third->leafLabel(third->rootNode->children[1].children[1]), "11.11%   11");
    EXPECT_EQ(third->leafLabel(third->rootNode->children[0].children[0]), "44.44%   00");

    third->probabilitySuccess = "one third";
    EXPECT_EQ(third->leafLabel(third->rootNode->children[1].children[1]), std::nullopt);
    EXPECT_EQ(third->leafLabel(third->rootNode->children[0].children[0]), "44.44%   00");
}

TEST_F(TreeChartTest, CardHoldsATitleAndAScrollableTreeSizedByItsLeaves) {
    const CGRect frame{20, 10, 360, 180};
    const auto card = TreeChartManager::makeTreeChart(*samples::chain(0.5, 3, 2), frame);
    EXPECT_EQ(card->frame(), frame);
    ASSERT_EQ(card->subviews().size(), 2u);
    const auto scroll = std::dynamic_pointer_cast<UIScrollView>(card->subviews()[0]);
    const auto title = std::dynamic_pointer_cast<UILabel>(card->subviews()[1]);
    ASSERT_NE(scroll, nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Bernoulli chain");
    EXPECT_EQ(title->frame().origin, (CGPoint{20, 12}));
    EXPECT_EQ(scroll->contentSize(), (CGSize{8 * 33 + 200, 3 * 60 + 140}));
    card->layoutIfNeeded();
    EXPECT_EQ(scroll->frame(), (CGRect{0, 0, 360, 180}));
}

TEST_F(TreeChartTest, SingleNodeChainAndChainsTooLongOrNegativeKeepTheSmallestSize) {
    const auto single =
        treeViewOf(TreeChartManager::makeTreeChart(*samples::chain(0.3, 0, 0), {0, 0, 360, 180}));
    EXPECT_EQ(single->bounds().size, (CGSize{233, 140}));
    ASSERT_TRUE(single->rootNode.has_value());
    EXPECT_TRUE(single->rootNode->children.empty());
    EXPECT_TRUE(single->rootNode->isHighlighted);
    EXPECT_EQ(single->leafLabel(*single->rootNode), "100%   ");

    for (const int trials : {TreeChartManager::maximumTrials + 1, -2}) {
        const auto tree =
            treeViewOf(TreeChartManager::makeTreeChart(*samples::chain(0.3, trials, 1), {0, 0, 360, 180}));
        EXPECT_FALSE(tree->rootNode.has_value()) << trials;
        EXPECT_EQ(tree->bounds().size, (CGSize{233, 140})) << trials;
    }
    const auto largest = treeViewOf(TreeChartManager::makeTreeChart(
        *samples::chain(0.3, TreeChartManager::maximumTrials, 1), {0, 0, 360, 180}));
    EXPECT_EQ(largest->bounds().size.width, 4096 * 33 + 200);
    EXPECT_EQ(leaves(*largest->rootNode).size(), 4096u);
}

TEST_F(TreeChartTest, HighlightedNodesAreDrawnInTheAccentColourTheOthersMuted) {
    const auto tree =
        treeViewOf(TreeChartManager::makeTreeChart(*samples::chain(0.5, 3, 2), {0, 0, 360, 180}));
    const auto image = snapshot(*tree);
    const CGFloat midX = tree->bounds().midX();
    const UIColor::RGBA accent{0, 0.9, 0.46, 1};
    // Node tops: the root at y 60, children 50 lower, spread over a quarter of the room per level.
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX, 60}), accent, 0.15));
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX - 33, 160}), accent, 0.15)) << "node 01";
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX + 99, 160}), accent, 0.15)) << "node 11";
    // Grey at 0.3 over white, checked on the left of the circles where no edge meets them.
    const UIColor::RGBA muted{0.87, 0.87, 0.87, 1};
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX - 99 - 15, 175}), muted, 0.06)) << "node 00";
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX + 115.5 - 15, 225}), muted, 0.06)) << "leaf 111";
    EXPECT_TRUE(nearColor(image->colorAtPoint({midX + 33 - 15, 175}), accent, 0.15)) << "node 10";
}

TEST_F(TreeChartTest, BranchValuesStayReadableInDarkMode) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::dark));
    const auto tree =
        treeViewOf(TreeChartManager::makeTreeChart(*samples::chain(0.5, 1, 1), {0, 0, 360, 180}));
    const auto image = snapshot(*tree, 3);
    // The "1" of the success branch: one level down, a quarter of the room (66) right of the root.
    const CGPoint centre{tree->bounds().midX() + 16.5, 125};
    int light = 0;
    for (CGFloat y = centre.y - 7; y <= centre.y + 7; y += 0.5)
        for (CGFloat x = centre.x - 5; x <= centre.x + 5; x += 0.5)
            if (const auto c = image->colorAtPoint({x, y});
                c && c->red > 0.7 && c->green > 0.7 && c->blue > 0.7)
                ++light;
    EXPECT_GT(light, 10);
}
