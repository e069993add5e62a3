#pragma once

#include "platform/kits/CosmosSettings.h"
#include "platform/uikit/UIView.h"

#include <functional>
#include <memory>
#include <vector>

class CAShapeLayer;

// A row of stars showing a rating from 0 to the number of stars; each star is a sublayer of the
// view's layer, filled when the rounded rating reaches it. A touch on a star rates that star
// (at least 1) while the settings allow updates on touch.
class CosmosView : public UIView {
  public:
    CosmosView();
    explicit CosmosView(const CGRect& frame);
    explicit CosmosView(const NSCoder& coder);

    double rating() const { return rating_; }
    // Kept within 0 and the number of stars; a value that is not a number counts as 0.
    void setRating(double rating);
    const CosmosSettings& settings() const { return settings_; }
    // Called with the rating after every touch that rates.
    std::function<void(double)> didTouchCosmos;
    void setSettings(CosmosSettings settings);

    // The rating a touch at a point in bounds space gives.
    double ratingAtPoint(CGPoint point) const;

    CGSize intrinsicContentSize() const override;
    void layoutSubviews() override;
    void touchesBegan(UITouch& touch) override;
    void touchesMoved(UITouch& touch) override;
    void touchesEnded(UITouch& touch) override;

  private:
    void prepare();
    void rebuildStars();
    void showRating();
    void rateFromTouch(UITouch& touch);

    double rating_ = 0;
    CosmosSettings settings_;
    std::vector<std::shared_ptr<CAShapeLayer>> stars_;
};
