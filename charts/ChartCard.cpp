#include "charts/ChartCard.h"

#include "engine/KivoColor.h"

std::shared_ptr<UIView> ChartCard::makeContentView() {
    auto card = std::make_shared<UIView>(CGRect{0, 0, 360, 180});
    card->setBackgroundColor(UIColor::systemBackgroundColor());
    return card;
}

std::shared_ptr<AAChartView> ChartCard::install(UIView& owner, const std::shared_ptr<UIView>& contentView) {
    owner.addSubview(contentView);
    contentView->setFrame(owner.bounds());
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto chartView = makeChartView({0, 0, contentView->frame().size.width, contentView->frame().size.height});
    KivoColor::applyShadow(*contentView->layer());
    contentView->addSubview(chartView);
    return chartView;
}

std::shared_ptr<AAChartView> ChartCard::makeChartView(const CGRect& frame) {
    auto chartView = std::make_shared<AAChartView>(frame);
    chartView->setScrollEnabled(false);
    chartView->setIsClearBackgroundColor(true);
    return chartView;
}
