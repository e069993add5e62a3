#pragma once

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIView.h"

#include <memory>

// Shows an image placed by the content mode; a template image takes the tint colour. Takes no
// touches unless told to.
class UIImageView : public UIView {
  public:
    UIImageView();
    explicit UIImageView(const CGRect& frame);
    // Sized to the image.
    explicit UIImageView(std::shared_ptr<UIImage> image);
    explicit UIImageView(const NSCoder& coder);

    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image);

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(const CGRect& rect) override;

    // Where content of a size lands in bounds under a content mode.
    static CGRect rectForContentMode(UIViewContentMode mode, CGSize content, const CGRect& bounds);

  private:
    std::shared_ptr<UIImage> image_;
};
