#include "charts/AreaChartView.h"

#include "charts/ChartCard.h"
#include "engine/KivoColor.h"

AreaChartView::AreaChartView(const CGRect& frame) : UIView(frame) {
    setupView();
}

void AreaChartView::setupView() {
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    chartView = ChartCard::makeChartView({0, 0, bounds().size.width, bounds().size.height});
    chartView->setBackgroundColor(UIColor::systemBackgroundColor());
    KivoColor::applyShadow(*chartView->layer());
    addSubview(chartView);
}
