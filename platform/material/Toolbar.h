#pragma once

#include "platform/material/DepthPreset.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A bar with views on its left and right and, between them, a title over a detail line. Its
// content lies inside the content insets; it keeps the height it is given.
class Toolbar : public UIView {
  public:
    static constexpr CGFloat defaultHeight = 56;

    Toolbar();
    explicit Toolbar(const CGRect& frame);

    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<UILabel>& detailLabel() const { return detailLabel_; }
    // An absent or empty text hides its label.
    std::optional<std::string> title() const;
    void setTitle(std::optional<std::string> title);
    std::optional<std::string> detail() const;
    void setDetail(std::optional<std::string> detail);

    const std::vector<std::shared_ptr<UIView>>& leftViews() const { return leftViews_; }
    void setLeftViews(std::vector<std::shared_ptr<UIView>> views);
    const std::vector<std::shared_ptr<UIView>>& rightViews() const { return rightViews_; }
    void setRightViews(std::vector<std::shared_ptr<UIView>> views);

    const UIEdgeInsets& contentEdgeInsets() const { return contentInsets_; }
    void setContentEdgeInsets(const UIEdgeInsets& insets);
    DepthPreset depthPreset() const { return depthPreset_; }
    void setDepthPreset(DepthPreset preset);

    void layoutSubviews() override;

  private:
    void replaceViews(std::vector<std::shared_ptr<UIView>>& current,
                      std::vector<std::shared_ptr<UIView>> views);
    // The width a side view takes in a content area of the given height.
    static CGFloat sideViewWidth(const UIView& view, CGFloat height);

    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> detailLabel_;
    std::vector<std::shared_ptr<UIView>> leftViews_;
    std::vector<std::shared_ptr<UIView>> rightViews_;
    UIEdgeInsets contentInsets_{0, 8, 0, 8};
    DepthPreset depthPreset_ = DepthPreset::depth1;
};
