#pragma once

#include "platform/chartkit/AAChartView.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <string>
#include <vector>

// The card on which the line and spline charts sit, as their nibs lay it out.
class ChartCard {
  public:
    // Registers a card nib under the name: it fills the contentView outlet of an owner of that class.
    template <class View> static void registerNib(const std::string& name) {
        UINib::registerNib(name, [](const std::shared_ptr<UIResponder>& owner) {
            auto contentView = makeContentView();
            if (auto view = std::dynamic_pointer_cast<View>(owner))
                view->contentView = contentView;
            return std::vector<std::shared_ptr<UIResponder>>{contentView};
        });
    }
    // Loads the card nib of that name into the view and sets its chartView.
    template <class View> static void load(View& view, const std::string& name) {
        registerNib<View>(name);
        UINib::loadNibNamed(name, view.shared_from_this());
        view.chartView = install(view, view.contentView);
    }

    // The nib's content view: a card in the system background colour.
    static std::shared_ptr<UIView> makeContentView();
    // Fills the owner with its content view, puts a chart view of the card's size on it and gives the
    // card its shadow; the chart view.
    static std::shared_ptr<AAChartView> install(UIView& owner, const std::shared_ptr<UIView>& contentView);
    // A chart view that never scrolls and shows the background of what lies below it.
    static std::shared_ptr<AAChartView> makeChartView(const CGRect& frame);
};
