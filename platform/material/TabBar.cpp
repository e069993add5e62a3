#include "platform/material/TabBar.h"

TabBar::TabBar() : UIView(CGRect{0, 0, 0, defaultHeight}) {
    setBackgroundColor(UIColor::whiteColor());
    setLineColor(UIColor::systemBlueColor());
    setDividerColor(UIColor(0, 0, 0, 0.12));
    addSubview(divider_);
    addSubview(line_);
}

void TabBar::setTabItems(std::vector<std::shared_ptr<TabItem>> items) {
    for (const auto& item : tabItems_) {
        if (item->superview().get() == this) {
            item->removeFromSuperview();
        }
    }
    tabItems_ = std::move(items);
    for (const auto& item : tabItems_) {
        insertSubviewBelowSubview(item, divider_.get());
    }
    if (selectedIndex_ >= tabItems_.size()) {
        selectedIndex_ = 0;
    }
    setNeedsLayout();
}

void TabBar::selectTabItem(std::size_t index) {
    if (index >= tabItems_.size()) {
        return;
    }
    selectedIndex_ = index;
    for (std::size_t i = 0; i < tabItems_.size(); ++i) {
        tabItems_[i]->setSelected(i == index);
    }
    UIView::animateWithDuration(0.25, [this] { line_->setFrame(lineFrame()); });
}

void TabBar::setDividerColor(std::optional<UIColor> color) {
    dividerColor_ = std::move(color);
    divider_->setBackgroundColor(dividerColor_);
    divider_->setHidden(!dividerColor_);
}

void TabBar::setLineAlignment(TabBarLineAlignment alignment) {
    lineAlignment_ = alignment;
    setNeedsLayout();
}

CGRect TabBar::lineFrame() const {
    if (tabItems_.empty()) {
        return {};
    }
    CGRect item = tabItems_[selectedIndex_]->frame();
    CGFloat y = lineAlignment_ == TabBarLineAlignment::top ? 0 : bounds().height() - lineHeight;
    return {item.origin.x, y, item.size.width, lineHeight};
}

void TabBar::layoutSubviews() {
    UIView::layoutSubviews();
    CGRect b = bounds();
    if (!tabItems_.empty()) {
        CGFloat width = b.width() / static_cast<CGFloat>(tabItems_.size());
        for (std::size_t i = 0; i < tabItems_.size(); ++i) {
            tabItems_[i]->setFrame({width * static_cast<CGFloat>(i), 0, width, b.height()});
        }
    }
    // The divider runs along the edge the line does not use.
    CGFloat dividerY = lineAlignment_ == TabBarLineAlignment::top ? b.height() - 1 : 0;
    divider_->setFrame({0, dividerY, b.width(), 1});
    line_->setFrame(lineFrame());
}
