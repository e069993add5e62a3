#include "charts/TreeChartManager.h"

#include "engine/KivoColor.h"
#include "platform/foundation/CLocaleNumbers.h"
#include "platform/graphics/NSAttributedString.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScrollView.h"

namespace {

TreeChartView::TreeNode branch(const TreeChartView::TreeNode& parent, const std::string& value,
                               bool isHighlighted) {
    TreeChartView::TreeNode child{value, {}, isHighlighted, parent.chainOfEvents};
    child.chainOfEvents.push_back(value);
    return child;
}

} // namespace

void TreeChartManager::placeTreeNodes(TreeChartView::TreeNode& node, int h, int n) {
    if (n <= 0)
        return;
    TreeChartView::TreeNode failure = branch(node, "0", h >= 0 && h <= n - 1);
    placeTreeNodes(failure, h, n - 1);
    TreeChartView::TreeNode success = branch(node, "1", h - 1 >= 0 && h - 1 <= n - 1);
    placeTreeNodes(success, h - 1, n - 1);
    node.children = {std::move(failure), std::move(success)};
}

std::shared_ptr<UIView> TreeChartManager::makeTreeChart(const BernoulliDistributionTreeChartData& data,
                                                        const CGRect& frame) {
    const double p = data.probabilityOfSuccess;
    const bool drawable = data.trials >= 0 && data.trials <= maximumTrials;
    const int levels = drawable ? data.trials : 0;
    const long leafCount = 1L << levels;

    auto treeView = std::make_shared<TreeChartView>(CGRect{0, 0, static_cast<CGFloat>(leafCount * 33 + 200),
                                                           static_cast<CGFloat>(levels * 60 + 60 + 80)});
    treeView->chartTitle = data.chartTitle;
    treeView->probabilitySuccess = CLocaleNumbers::formatG(p);
    treeView->probabilityFailure = CLocaleNumbers::formatG(1 - p);
    if (drawable) {
        TreeChartView::TreeNode root{"", {}, true, {}};
        placeTreeNodes(root, data.hits, data.trials);
        treeView->rootNode = std::move(root);
    }
    treeView->setNeedsDisplay();

    auto scrollView = std::make_shared<UIScrollView>();
    scrollView->setTranslatesAutoresizingMaskIntoConstraints(false);
    scrollView->addSubview(treeView);
    scrollView->setContentSize(treeView->bounds().size);
    // The root starts in the middle of the card; a tree wider than the card scrolls to either side.
    const CGFloat overhang = treeView->bounds().width() - frame.width();
    if (overhang > 0)
        scrollView->setContentOffset({overhang / 2, 0});

    auto container = std::make_shared<UIView>(frame);
    container->setBackgroundColor(UIColor::systemBackgroundColor());
    container->addSubview(scrollView);
    NSLayoutConstraint::activateConstraints({
        scrollView->topAnchor().constraintEqualToAnchor(container->topAnchor()),
        scrollView->leadingAnchor().constraintEqualToAnchor(container->leadingAnchor()),
        scrollView->trailingAnchor().constraintEqualToAnchor(container->trailingAnchor()),
        scrollView->bottomAnchor().constraintEqualToAnchor(container->bottomAnchor()),
    });
    container->setFrame(frame);

    const UIFont titleFont = UIFont::systemFontOfSize(18);
    const CGSize titleSize =
        NSAttributedString(data.chartTitle, {titleFont, std::nullopt, std::nullopt}).size();
    auto titleLabel = std::make_shared<UILabel>(CGRect{20, 12, titleSize.width, titleSize.height});
    titleLabel->setFont(titleFont);
    titleLabel->setText(data.chartTitle);
    titleLabel->setTextColor(UIColor::labelColor());
    container->addSubview(titleLabel);

    KivoColor::applyShadow(*container->layer());
    return container;
}
