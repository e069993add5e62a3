#pragma once

#include "platform/uikit/UIView.h"

#include <optional>

enum class UIActivityIndicatorViewStyle { whiteLarge = 0, white = 1, gray = 2, medium = 100, large = 101 };

// The spinning wheel of spokes. Stopped, it hides itself unless told not to.
class UIActivityIndicatorView : public UIView {
  public:
    explicit UIActivityIndicatorView(
        UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::medium);
    explicit UIActivityIndicatorView(const CGRect& frame);
    explicit UIActivityIndicatorView(const NSCoder& coder);

    UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
    void setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style);
    UIColor color() const;
    void setColor(std::optional<UIColor> color);
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }

    CGSize intrinsicContentSize() const override;
    void drawRect(const CGRect& rect) override;

  private:
    bool isLarge() const;

    UIActivityIndicatorViewStyle style_;
    std::optional<UIColor> color_;
    bool hidesWhenStopped_ = true;
    bool animating_ = false;
};
