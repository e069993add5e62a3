#include "platform/uikit/UICollectionViewCell.h"

UICollectionViewCell::UICollectionViewCell() : UICollectionViewCell(CGRect{}) {}

UICollectionViewCell::UICollectionViewCell(const NSCoder&) : UICollectionViewCell(CGRect{}) {}

UICollectionViewCell::UICollectionViewCell(const CGRect& frame)
    : UIView(frame), contentView_(std::make_shared<UIView>(CGRect{{0, 0}, frame.size})) {
    addSubview(contentView_);
}

void UICollectionViewCell::layoutSubviews() {
    UIView::layoutSubviews();
    contentView_->setFrame(bounds());
}
