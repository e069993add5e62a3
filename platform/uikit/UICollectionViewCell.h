#pragma once

#include "platform/uikit/UIView.h"

#include <memory>
#include <string>

// One item of a collection view; content goes into the content view, which fills the cell.
class UICollectionViewCell : public UIView {
  public:
    UICollectionViewCell();
    explicit UICollectionViewCell(const CGRect& frame);
    explicit UICollectionViewCell(const NSCoder& coder);

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<UIView>& contentView() const { return contentView_; }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    virtual void prepareForReuse() {}

    void layoutSubviews() override;

  private:
    template <typename> friend class UIReusableViewPool;

    std::string reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    bool selected_ = false;
    bool highlighted_ = false;
};
