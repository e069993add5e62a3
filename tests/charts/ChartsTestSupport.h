#pragma once

#include "charts/ChartTableViewCell.h"
#include "platform/chartkit/AAChartView.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIView.h"
#include "tests/support/Pixels.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <memory>
#include <optional>

// The first view of this class in the hierarchy, depth first.
template <typename View> std::shared_ptr<View> viewIn(const std::shared_ptr<UIView>& view) {
    if (auto found = std::dynamic_pointer_cast<View>(view))
        return found;
    for (const auto& subview : view->subviews())
        if (auto found = viewIn<View>(subview))
            return found;
    return nullptr;
}

// A manual clock, an empty main run loop, the phone screen and the light appearance, as for the
// toolkit's own tests.
class ChartsTest : public UIKitTest {
  protected:
    // The option tree a chart view drew; null when it drew nothing.
    static nlohmann::json drawnTree(const std::shared_ptr<AAChartView>& chartView) {
        RunLoop::main()->runUntilIdle();
        return chartView && chartView->drawnOptions() ? chartView->drawnOptions()->toJSON()
                                                      : nlohmann::json();
    }

    static std::shared_ptr<UIImage> snapshot(UIView& view, CGFloat scale = 2) {
        UIGraphicsImageRendererFormat format;
        format.scale = scale;
        return UIGraphicsImageRenderer(view.bounds().size, format)
            .image(
                [&](UIGraphicsImageRendererContext&) { view.drawViewHierarchyInRect(view.bounds(), true); });
    }

    static std::shared_ptr<ChartTableViewCell> loadChartCell() {
        ChartTableViewCell::registerNib();
        return std::dynamic_pointer_cast<ChartTableViewCell>(
            UINib::loadNibNamed("ChartTableViewCell", nullptr).front());
    }
};
