#include "charts/UnitCircleChartView.h"

#include "charts/SharingInProgress.h"
#include "engine/KivoColor.h"
#include "engine/RoundToDecimalPlaces.h"
#include "platform/foundation/CLocaleNumbers.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/CABasicAnimation.h"
#include "platform/graphics/CAShapeLayer.h"
#include "platform/graphics/CATransaction.h"
#include "platform/graphics/CGContext.h"
#include "platform/material/FlatButton.h"
#include "platform/material/LabelFontSize.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UINib.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;
constexpr int labelSteps = 20;
const std::string animationLayerName = "animation";

// The circle's radius as a share of the width of the circle's square.
constexpr CGFloat radiusShare = 0.375;

std::shared_ptr<UIImage> circleImage(CGFloat side) {
    return UIImage::vectorImage({side, side}, [](CGContext& context, const CGRect& rect) {
        const CGFloat w = rect.size.width;
        const CGPoint centre = rect.center();
        context.setStrokeColor(UIColor::systemGrayColor());
        context.setLineWidth(1);
        context.strokeLineSegments({{rect.minX() + 0.03 * w, centre.y},
                                    {rect.maxX() - 0.03 * w, centre.y},
                                    {centre.x, rect.minY() + 0.03 * w},
                                    {centre.x, rect.maxY() - 0.03 * w}});
        context.setStrokeColor(UIColor::labelColor());
        context.setLineWidth(1.5);
        const CGFloat r = radiusShare * w;
        context.strokeEllipse({centre.x - r, centre.y - r, 2 * r, 2 * r});
    });
}

// Points to angle 0 and turns about the centre of its square.
std::shared_ptr<UIImage> arrowImage(CGFloat side) {
    return UIImage::vectorImage({side, side}, [](CGContext& context, const CGRect& rect) {
        const CGPoint centre = rect.center();
        const CGFloat tip = centre.x + radiusShare * rect.size.width;
        const CGFloat head = std::max<CGFloat>(6, 0.05 * rect.size.width);
        context.setStrokeColor(UIColor::labelColor());
        context.setFillColor(UIColor::labelColor());
        context.setLineWidth(2.5);
        context.strokeLineSegments({centre, {tip - head, centre.y}});
        context.beginPath();
        context.moveTo({tip, centre.y});
        context.addLineTo({tip - head * 1.4, centre.y - head * 0.6});
        context.addLineTo({tip - head * 1.4, centre.y + head * 0.6});
        context.closePath();
        context.fillPath();
        context.fillEllipse({centre.x - 3, centre.y - 3, 6, 6});
    });
}

// A circular arrow running clockwise almost all the way round.
std::shared_ptr<UIImage> replayImage() {
    return UIImage::vectorImage(
        {20, 20},
        [](CGContext& context, const CGRect& rect) {
            const CGPoint centre = rect.center();
            const CGFloat r = rect.size.width * 0.32;
            const CGFloat end = 1.5 * pi - 0.5;
            context.setLineWidth(2);
            context.beginPath();
            context.addArc(centre, r, -pi / 2 + 0.5, end, true);
            context.strokePath();
            const CGPoint tip{centre.x + r * std::cos(end), centre.y + r * std::sin(end)};
            context.beginPath();
            context.moveTo({tip.x + 4, tip.y + 1});
            context.addLineTo({tip.x - 2, tip.y - 4});
            context.addLineTo({tip.x - 2, tip.y + 5});
            context.closePath();
            context.fillPath();
        },
        UIImageRenderingMode::alwaysTemplate);
}

std::shared_ptr<UILabel> makeLabel(const CGRect& frame, const std::string& text, const UIColor& color,
                                   UIFontWeight weight = UIFontWeight::regular) {
    auto label = std::make_shared<UILabel>(frame);
    label->setText(text);
    label->setTextColor(color);
    label->setFont(UIFont::systemFontOfSize(14, weight));
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.5);
    return label;
}

// Updates the label at labelSteps + 1 evenly spaced moments of the duration, the first at once.
void scheduleLabelSteps(const std::shared_ptr<UILabel>& label, double duration,
                        const std::function<void(UILabel&, int)>& update) {
    const std::weak_ptr<UILabel> weakLabel = label;
    for (int i = 0; i <= labelSteps; ++i) {
        DispatchQueue::main()->asyncAfter(i * duration / labelSteps, [weakLabel, update, i] {
            if (const auto strong = weakLabel.lock())
                update(*strong, i);
        });
    }
}

// Draws a shape layer's stroke from nothing to whole.
CABasicAnimation strokeGrowth(double duration) {
    CABasicAnimation growth("strokeEnd");
    growth.fromValue = 0;
    growth.toValue = 1;
    growth.duration = duration;
    return growth;
}

std::string integerText(double value) {
    return std::to_string(std::llround(value));
}

double projection(UnitCircleChartView::ProjectionAxis axis, double a) {
    if (axis == UnitCircleChartView::ProjectionAxis::cosine) {
        if (std::fmod(a + 90, 180) == 0)
            return 0;
        if (std::fmod(a, 360) == 0)
            return 1;
        if (std::fmod(a - 180, 360) == 0)
            return -1;
        return std::cos(a * pi / 180);
    }
    if (std::fmod(a, 180) == 0)
        return 0;
    if (std::fmod(a - 90, 360) == 0)
        return 1;
    if (std::fmod(a - 270, 360) == 0)
        return -1;
    return std::sin(a * pi / 180);
}

// The nib: the circle with its arrow and quadrant marks on the left, the counters on the right and the
// replay button in the lower right corner, laid out for the owner's size.
std::vector<std::shared_ptr<UIResponder>> buildNib(const std::shared_ptr<UIResponder>& ownerObject) {
    const auto owner = std::dynamic_pointer_cast<UnitCircleChartView>(ownerObject);
    const CGSize size = owner && !owner->bounds().isEmpty() ? owner->bounds().size : CGSize{360, 180};
    const CGFloat margin = 8;
    auto content = std::make_shared<UnitCircleChartView>(NSCoder{});
    content->setFrame({0, 0, size.width, size.height});
    content->setBackgroundColor(UIColor::systemBackgroundColor());

    const CGFloat side =
        std::max<CGFloat>(0, std::min(size.height - 2 * margin, size.width / 2 - 2 * margin));
    const CGRect circleFrame{margin * 2, (size.height - side) / 2, side, side};
    auto circle = std::make_shared<UIImageView>(circleFrame);
    circle->setImage(circleImage(side));
    auto animation = std::make_shared<UIView>(circleFrame);
    auto arrow = std::make_shared<UIImageView>(circleFrame);
    arrow->setImage(arrowImage(side));
    content->addSubview(circle);
    content->addSubview(animation);
    content->addSubview(arrow);

    const UIColor label = UIColor::labelColor();
    const UIColor grey = UIColor::systemGrayColor();
    std::vector<std::shared_ptr<UILabel>> labels;
    // In the corners of the circle's square, clear of the arcs and the arrow.
    const CGFloat offset = 0.4 * side;
    const std::vector<std::pair<std::string, CGPoint>> quadrants{{"I", {offset, -offset}},
                                                                 {"II", {-offset, -offset}},
                                                                 {"III", {-offset, offset}},
                                                                 {"IV", {offset, offset}}};
    for (const auto& [numeral, place] : quadrants) {
        const CGPoint centre = circleFrame.center();
        auto mark = makeLabel({centre.x + place.x - 16, centre.y + place.y - 10, 32, 20}, numeral, grey,
                              UIFontWeight::bold);
        mark->setTextAlignment(NSTextAlignment::center);
        content->addSubview(mark);
        labels.push_back(mark);
    }

    const CGFloat panelX = circleFrame.maxX() + 2 * margin;
    const CGFloat panelWidth = std::max<CGFloat>(0, size.width - panelX - margin);
    const CGFloat buttonSide = 32;
    const CGFloat rowHeight = std::max<CGFloat>(0, (size.height - 2 * margin - buttonSide) / 5);
    const std::vector<std::pair<std::string, std::pair<std::string, UIColor>>> rows{
        {"α =", {"0°", label}},
        {"γ =", {"0°", label}},
        {"n =", {"0", label}},
        {"cos α =", {"1.0", label}},
        {"sin α =", {"0.0", label}}};
    std::vector<std::shared_ptr<UILabel>> values;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CGFloat y = margin + static_cast<CGFloat>(i) * rowHeight;
        const UIColor captionColor = i == 3 ? UIColor::blueColor() : i == 4 ? UIColor::redColor() : grey;
        auto caption = makeLabel({panelX, y, panelWidth * 0.5, rowHeight}, rows[i].first, captionColor);
        auto value = makeLabel({panelX + panelWidth * 0.5, y, panelWidth * 0.5, rowHeight},
                               rows[i].second.first, rows[i].second.second, UIFontWeight::medium);
        content->addSubview(caption);
        content->addSubview(value);
        labels.push_back(caption);
        labels.push_back(value);
        values.push_back(value);
    }

    auto button = std::make_shared<FlatButton>(replayImage(), UIColor::whiteColor());
    button->setFrame(
        {size.width - margin - buttonSide, size.height - margin - buttonSide, buttonSide, buttonSide});
    button->layer()->setCornerRadius(buttonSide / 2);
    content->addSubview(button);

    if (owner) {
        owner->contentView = content;
        owner->circleImageView = circle;
        owner->animationView = animation;
        owner->arrowImageView = arrow;
        owner->q1Label = labels[0];
        owner->q2Label = labels[1];
        owner->q3Label = labels[2];
        owner->q4Label = labels[3];
        owner->alphaLabel = values[0];
        owner->gammaLabel = values[1];
        owner->fullCirclesLabel = values[2];
        owner->pXLabel = values[3];
        owner->pYLabel = values[4];
        owner->allLabels = labels;
        owner->animateAgainButton = button;
        button->addTarget(owner, &UnitCircleChartView::tappedAnimateAgain, UIControlEventTouchUpInside);
    }
    return {content};
}

} // namespace

std::shared_ptr<UnitCircleChartView> UnitCircleChartView::withFrame(const CGRect& frame) {
    std::shared_ptr<UnitCircleChartView> view(new UnitCircleChartView(frame));
    view->loadUnitCircleNib();
    return view;
}

UnitCircleChartView::UnitCircleChartView(const NSCoder& coder) : UIView(coder) {}

void UnitCircleChartView::registerNib() {
    UINib::registerNib("UnitCircleChartView", buildNib);
}

void UnitCircleChartView::loadUnitCircleNib() {
    registerNib();
    UINib::loadNibNamed("UnitCircleChartView", shared_from_this());
    if (!contentView)
        return;
    contentView->setFrame(bounds());
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    KivoColor::applyShadow(*contentView->layer());
    addSubview(contentView);
    if (const auto button = animateAgainButton.lock()) {
        button->setBackgroundColor(KivoColor::paletteGreenAccent());
        button->layer()->setShadowColor(UIColor::labelColor().cgColor());
        button->layer()->setShadowOpacity(0.2);
        button->layer()->setShadowOffset({0, 1});
        button->layer()->setShadowRadius(1);
    }
    if (UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiom::pad) {
        for (const auto& label : allLabels)
            setFontSize(*label, 38);
    }
}

void UnitCircleChartView::restartAnimation() {
    if (isAnimationRunning)
        return;
    isAnimationRunning = true;
    if (const auto button = animateAgainButton.lock()) {
        button->setUserInteractionEnabled(false);
        button->setAlpha(0.5);
    }
    if (const auto view = animationView.lock()) {
        const auto sublayers = view->layer()->sublayers();
        for (const auto& layer : sublayers)
            if (layer->name() == animationLayerName)
                layer->removeFromSuperlayer();
    }
    animateTurn(0);
}

void UnitCircleChartView::tappedAnimateAgain(const std::shared_ptr<UIView>& sender) {
    const auto superview = sender ? sender->superview() : nullptr;
    if (const auto chart =
            std::dynamic_pointer_cast<UnitCircleChartView>(superview ? superview->superview() : nullptr))
        chart->restartAnimation();
}

void UnitCircleChartView::animateTurn(int r) {
    // The factory always gives every value; a view without them shows the angle 0.
    const UnitCircleChartData* data = unitCircleChartData.get();
    const int fullCircles = data ? std::abs(data->fullCircles.value_or(0)) : 0;
    const double alpha = data ? data->alpha.value_or(0) : 0;
    const double b = data ? data->b.value_or(0) : 0;
    const double sign = b < 0 ? -1 : 1;
    if (r == 0)
        hideQuadrantLabels();

    double total = 0, turnAngle = 0, turnArc = 0;
    if (fullCircles > r) {
        turnAngle = 360;
        total = 360.0 * r + 360;
        turnArc = 2 * pi;
    } else {
        total = std::fabs(alpha);
        turnAngle = total - 360.0 * r;
        turnArc = std::fabs(b) - 2 * pi * r;
    }
    if (const auto label = fullCirclesLabel.lock())
        label->setText(integerText(sign * r));
    if (turnAngle == 0) {
        finishAnimation();
        return;
    }
    animateDegreeLabel(alphaLabel.lock(), 1, sign * 360 * r, sign * total);
    animateDegreeLabel(gammaLabel.lock(), 1, 0, sign * turnAngle);
    animateProjectionLabel(pXLabel.lock(), ProjectionAxis::cosine, 1, sign * total);
    animateProjectionLabel(pYLabel.lock(), ProjectionAxis::sine, 1, sign * total);
    animateArc(r, sign * turnArc, 1);
    rotateArrow(fullCircles, r, sign * turnArc, 1);
}

void UnitCircleChartView::continueAfterTurn(int fullCircles, int r) {
    if (r != fullCircles)
        animateTurn(r + 1);
    else
        finishAnimation();
}

void UnitCircleChartView::finishAnimation() {
    if (const auto button = animateAgainButton.lock()) {
        button->setUserInteractionEnabled(true);
        button->setAlpha(1);
    }
    showQuadrantLabel();
    drawProjections();
    isAnimationRunning = false;
}

void UnitCircleChartView::animateArc(int r, double angle, double duration) {
    const auto view = animationView.lock();
    const auto circle = circleImageView.lock();
    if (!view || !circle)
        return;
    const CGSize size = circle->frame().size;
    CGPath arc;
    arc.addArc({size.width / 2, size.height / 2}, radiusShare * size.width, 0, -angle, angle < 0);
    auto layer = CAShapeLayer::layer();
    layer->setName(animationLayerName);
    layer->setPath(arc);
    layer->setFillColor(UIColor::clearColor());
    layer->setStrokeColor(UIColor::colorWithHue(0.18 * r, 0.9, 1 - 0.02 * r, 1));
    layer->setLineWidth(5);
    view->layer()->addSublayer(layer);
    if (isSharingInProgress)
        return;
    CABasicAnimation grow = strokeGrowth(duration);
    grow.timingFunction = CAMediaTimingFunction::functionWithName(CAMediaTimingFunctionName::linear);
    grow.fillMode = CAFillMode::forwards;
    grow.removedOnCompletion = false;
    layer->addAnimation(grow, "animateCircle");
}

void UnitCircleChartView::rotateArrow(int fullCircles, int r, double angle, double duration) {
    const auto arrow = arrowImageView.lock();
    const std::weak_ptr<UnitCircleChartView> weakSelf =
        std::static_pointer_cast<UnitCircleChartView>(shared_from_this());
    if (isSharingInProgress || !arrow) {
        if (arrow)
            arrow->layer()->setTransform(CATransform3DMakeRotation(-angle, 0, 0, 1));
        continueAfterTurn(fullCircles, r);
        return;
    }
    CATransaction::begin();
    CABasicAnimation rotation("transform.rotation.z");
    rotation.toValue = -angle;
    rotation.duration = duration;
    rotation.cumulative = false;
    rotation.removedOnCompletion = false;
    rotation.repeatCount = 1;
    rotation.fillMode = CAFillMode::forwards;
    CATransaction::setCompletionBlock([weakSelf, fullCircles, r] {
        if (const auto self = weakSelf.lock())
            self->continueAfterTurn(fullCircles, r);
    });
    arrow->layer()->addAnimation(rotation, "rotationAnimation");
    CATransaction::commit();
}

void UnitCircleChartView::drawProjections() {
    const auto view = animationView.lock();
    if (!view)
        return;
    const CGSize size = view->frame().size;
    const CGFloat radius = radiusShare * size.width;
    const CGPoint centre{size.width / 2, size.height / 2};
    const double b = unitCircleChartData ? unitCircleChartData->b.value_or(0) : 0;
    const CGPoint end{centre.x + std::cos(b) * radius, centre.y - std::sin(b) * radius};
    CGPath cosine;
    cosine.moveToPoint(centre);
    cosine.addLineToPoint({end.x, centre.y});
    addProjectionLine(cosine, UIColor::blueColor(), 1);
    CGPath sine;
    sine.moveToPoint({end.x, centre.y});
    sine.addLineToPoint(end);
    addProjectionLine(sine, UIColor::redColor(), 1);
}

void UnitCircleChartView::addProjectionLine(const CGPath& path, const UIColor& color, double duration) {
    const auto view = animationView.lock();
    if (!view)
        return;
    auto layer = CAShapeLayer::layer();
    layer->setFrame(view->bounds());
    layer->setPath(path);
    layer->setStrokeColor(color);
    layer->setFillColor(std::nullopt);
    layer->setLineWidth(5);
    layer->setLineJoin(CGLineJoin::bevel);
    layer->setName(animationLayerName);
    view->layer()->addSublayer(layer);
    if (isSharingInProgress)
        return;
    layer->addAnimation(strokeGrowth(duration), "strokeEnd");
}

void UnitCircleChartView::animateDegreeLabel(const std::shared_ptr<UILabel>& label, double duration,
                                             double from, double to) {
    if (!label)
        return;
    if (isSharingInProgress) {
        setDegreeText(*label, "", to);
        return;
    }
    const std::string prefix = to < 0 ? "-" : "";
    const double start = std::fabs(from);
    const double span = std::fabs(to) - std::fabs(from);
    scheduleLabelSteps(label, duration, [prefix, start, span](UILabel& target, int i) {
        setDegreeText(target, prefix, static_cast<double>(i) / labelSteps * span + start);
    });
}

void UnitCircleChartView::animateProjectionLabel(const std::shared_ptr<UILabel>& label, ProjectionAxis axis,
                                                 double duration, double angle) {
    if (!label)
        return;
    if (isSharingInProgress) {
        setProjectionText(*label, axis, angle);
        return;
    }
    scheduleLabelSteps(label, duration, [axis, angle, duration](UILabel& target, int i) {
        setProjectionText(target, axis, angle * (duration / labelSteps) * i);
    });
}

void UnitCircleChartView::setDegreeText(UILabel& label, const std::string& prefix, double degrees) {
    label.setText(prefix + integerText(degrees) + "°");
}

void UnitCircleChartView::setProjectionText(UILabel& label, ProjectionAxis axis, double degrees) {
    label.setText(CLocaleNumbers::description(roundToDecimalPlaces(2, projection(axis, degrees)).rounded));
}

void UnitCircleChartView::showQuadrantLabel() {
    if (!unitCircleChartData || !unitCircleChartData->quadrant)
        return;
    const std::weak_ptr<UILabel> labels[] = {q1Label, q2Label, q3Label, q4Label};
    const auto label = labels[static_cast<std::size_t>(*unitCircleChartData->quadrant)].lock();
    if (!label)
        return;
    if (isSharingInProgress)
        label->setAlpha(1);
    else
        UIView::animateWithDuration(1, [label] { label->setAlpha(1); });
}

void UnitCircleChartView::hideQuadrantLabels() {
    std::vector<std::shared_ptr<UILabel>> labels;
    for (const auto& weak : {q1Label, q2Label, q3Label, q4Label})
        if (const auto label = weak.lock())
            labels.push_back(label);
    const auto hide = [labels] {
        for (const auto& label : labels)
            label->setAlpha(0);
    };
    if (isSharingInProgress)
        hide();
    else
        UIView::animateWithDuration(0.5, hide);
}
