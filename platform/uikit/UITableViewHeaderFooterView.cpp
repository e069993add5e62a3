#include "platform/uikit/UITableViewHeaderFooterView.h"

#include "platform/uikit/UILabel.h"

UITableViewHeaderFooterView::UITableViewHeaderFooterView(std::string reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)), textLabel_(std::make_shared<UILabel>()) {
    setBackgroundColor(
        UIColor::dynamicColor(UIColor::colorWithWhite(0.96, 1), UIColor::colorWithWhite(0.11, 1)));
    textLabel_->setFont(UIFont::systemFontOfSize(13, UIFontWeight::semibold));
    textLabel_->setTextColor(UIColor::systemGrayColor());
    addSubview(textLabel_);
}

void UITableViewHeaderFooterView::layoutSubviews() {
    UIView::layoutSubviews();
    textLabel_->setFrame(bounds().insetBy(16, 0));
}
