#pragma once

#include "platform/material/Button.h"
#include "platform/material/DepthPreset.h"

// The floating action button: a round surface with a shadow, its icon in the tint colour.
class FABButton : public Button {
  public:
    FABButton();
    explicit FABButton(const CGRect& frame);
    explicit FABButton(const NSCoder& coder);
    FABButton(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor = std::nullopt);

    DepthPreset depthPreset() const { return depthPreset_; }
    void setDepthPreset(DepthPreset preset);

    // Keeps the surface round at any size.
    void layoutSubviews() override;

  private:
    void prepare();

    DepthPreset depthPreset_ = DepthPreset::depth1;
};
