#pragma once

#include "charts/UnitCircleChartData.h"
#include "platform/graphics/CGPath.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <string>
#include <vector>

class FlatButton;

// Animates how an angle is reached on the unit circle (nib "UnitCircleChartView"): turn by turn an
// arc grows while the arrow turns and counters show the angle, its turns, cosine and sine; at the
// end the quadrant is marked and the cosine (blue) and sine (red) projections are drawn. While
// isSharingInProgress is set every step happens at once.
class UnitCircleChartView : public UIView {
  public:
    enum class ProjectionAxis { cosine, sine };

    // Loads the nib into the new view.
    static std::shared_ptr<UnitCircleChartView> withFrame(const CGRect& frame);
    // As the nib's own content view: no nib of its own.
    explicit UnitCircleChartView(const NSCoder& coder);
    // Registers the nib "UnitCircleChartView" (the view does so itself before it loads it).
    static void registerNib();

    std::shared_ptr<UnitCircleChartView> contentView;
    std::weak_ptr<UIImageView> circleImageView;
    std::weak_ptr<UIView> animationView;
    std::weak_ptr<UIImageView> arrowImageView;
    std::weak_ptr<UILabel> q1Label;
    std::weak_ptr<UILabel> q2Label;
    std::weak_ptr<UILabel> q3Label;
    std::weak_ptr<UILabel> q4Label;
    // Total angle and angle within the current turn, in degrees.
    std::weak_ptr<UILabel> alphaLabel;
    std::weak_ptr<UILabel> gammaLabel;
    std::weak_ptr<UILabel> fullCirclesLabel;
    std::weak_ptr<UILabel> pXLabel;
    std::weak_ptr<UILabel> pYLabel;
    std::vector<std::shared_ptr<UILabel>> allLabels;
    std::weak_ptr<FlatButton> animateAgainButton;

    std::shared_ptr<UnitCircleChartData> unitCircleChartData;
    bool isAnimationRunning = false;

    void loadUnitCircleNib();
    // Plays the animation from the start; nothing while it runs.
    void restartAnimation();
    void tappedAnimateAgain(const std::shared_ptr<UIView>& sender);

  private:
    explicit UnitCircleChartView(const CGRect& frame) : UIView(frame) {}

    void animateTurn(int r);
    void continueAfterTurn(int fullCircles, int r);
    void finishAnimation();
    void animateArc(int r, double angle, double duration);
    void rotateArrow(int fullCircles, int r, double angle, double duration);
    void drawProjections();
    void addProjectionLine(const CGPath& path, const UIColor& color, double duration);
    void animateDegreeLabel(const std::shared_ptr<UILabel>& label, double duration, double from, double to);
    void animateProjectionLabel(const std::shared_ptr<UILabel>& label, ProjectionAxis axis, double duration,
                                double angle);
    static void setDegreeText(UILabel& label, const std::string& prefix, double degrees);
    static void setProjectionText(UILabel& label, ProjectionAxis axis, double degrees);
    void showQuadrantLabel();
    void hideQuadrantLabels();
};
