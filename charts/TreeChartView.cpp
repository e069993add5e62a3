#include "charts/TreeChartView.h"

#include "engine/KivoColor.h"
#include "engine/RoundToDecimalPlaces.h"
#include "platform/foundation/CLocaleNumbers.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/NSAttributedString.h"
#include "platform/graphics/UIGraphics.h"

namespace {

constexpr CGFloat circleSize = 30;
constexpr CGFloat levelDistance = 50;
// The leaf labels rise to the right at 40°.
constexpr CGFloat leafLabelAngle = -0.6981317007977318;

UIFont textFont() {
    return UIFont::systemFontOfSize(12);
}

UIColor colorOf(const TreeChartView::TreeNode& node) {
    return node.isHighlighted ? KivoColor::paletteGreenAccent()
                              : UIColor::systemGrayColor().colorWithAlphaComponent(0.3);
}

NSAttributedString text(const std::string& string, std::optional<UIColor> color) {
    return NSAttributedString(string, {textFont(), std::move(color), std::nullopt});
}

} // namespace

TreeChartView::TreeChartView(const CGRect& frame) : UIView(frame) {
    setBackgroundColor(UIColor::systemBackgroundColor());
}

TreeChartView::TreeChartView(const NSCoder& coder) : UIView(coder) {}

void TreeChartView::drawRect(const CGRect& rect) {
    drawTree(rect);
}

void TreeChartView::drawTree(const CGRect& rect) {
    UIView::drawRect(rect);
    drawnNodeFrames_.clear();
    CGContext* context = UIGraphicsGetCurrentContext();
    if (context == nullptr)
        return;
    const CGFloat width = rect.size.width;
    const CGFloat midX = rect.midX();
    if (probabilitySuccess) {
        text(*probabilitySuccess, UIColor::labelColor())
            .drawInRect({midX + 0.125 * width, 80, width, 30}, *context);
    }
    if (probabilityFailure) {
        const NSAttributedString failure = text(*probabilityFailure, UIColor::labelColor());
        const CGFloat textWidth = failure.size().width;
        failure.drawInRect({midX - 0.125 * width - textWidth, 80, width, 30}, *context);
    }
    context->setLineWidth(2);
    if (rootNode)
        layoutTree(*rootNode, *context, midX, 60, width - 200);
}

void TreeChartView::layoutTree(const TreeNode& node, CGContext& context, CGFloat x, CGFloat y,
                               CGFloat width) {
    const CGRect circle{x - circleSize / 2, y, circleSize, circleSize};
    context.setStrokeColor(colorOf(node));
    context.strokeEllipse(circle);
    drawnNodeFrames_.push_back(circle);

    // In the label colour rather than the drawing default (black), which would vanish in dark mode.
    const NSAttributedString value = text(node.value, UIColor::labelColor());
    const CGSize valueSize = value.size();
    value.drawInRect({x - valueSize.width / 2, y + circleSize / 2 - valueSize.height / 2, valueSize.width,
                      valueSize.height},
                     context);

    if (node.children.empty()) {
        drawLeafLabel(node, context, x, y);
        return;
    }
    const auto count = static_cast<CGFloat>(node.children.size());
    const CGFloat spacing = width / count;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const TreeNode& child = node.children[i];
        const CGFloat childX = x - spacing * (count / 2 - static_cast<CGFloat>(i)) + spacing / 2;
        context.setStrokeColor(colorOf(child));
        context.strokeLineSegments({{x, y + circleSize}, {childX, y + levelDistance}});
        layoutTree(child, context, childX, y + levelDistance, width / 2);
    }
}

std::optional<std::string> TreeChartView::leafLabel(const TreeNode& node) const {
    double product = 1;
    std::string path;
    for (const std::string& event : node.chainOfEvents) {
        const std::optional<std::string>& factor = event == "0" ? probabilityFailure : probabilitySuccess;
        const std::optional<double> probability =
            factor ? CLocaleNumbers::parseDouble(*factor) : std::nullopt;
        if (!probability)
            return std::nullopt;
        product *= *probability;
        path += event;
    }
    const double percent = roundToDecimalPlaces(2, product * 100).rounded;
    return CLocaleNumbers::formatG(percent) + "%   " + path;
}

void TreeChartView::drawLeafLabel(const TreeNode& node, CGContext& context, CGFloat x, CGFloat y) {
    const std::optional<std::string> labelText = leafLabel(node);
    if (!labelText)
        return;
    const NSAttributedString label = text(*labelText, colorOf(node));
    const CGSize size = label.size();
    const auto depth = static_cast<CGFloat>(node.chainOfEvents.size());
    context.saveGState();
    context.translateBy(x - 0.86 * size.width + size.width / 2,
                        y + circleSize + 2.2 * depth + 18 + size.height / 2);
    context.rotateBy(leafLabelAngle);
    label.drawInRect({-size.width / 2, -size.height / 2, size.width, size.height}, context);
    context.restoreGState();
}
