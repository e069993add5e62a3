#pragma once

#include "platform/uikit/UIButton.h"

#include <memory>

class UIViewController;

// The tab of one page in a tab bar: a title in its title colour; a disabled item cannot be
// tapped and shows its disabled colour.
class TabItem : public UIButton {
  public:
    TabItem();

    using UIButton::setTitle;
    using UIButton::setTitleColor;
    std::optional<std::string> title() const { return titleForState(UIControlStateNormal); }
    void setTitle(std::optional<std::string> title) { setTitle(std::move(title), UIControlStateNormal); }
    UIColor titleColor() const { return titleColorForState(UIControlStateNormal).value_or(UIColor()); }
    void setTitleColor(UIColor color) { setTitleColor(std::move(color), UIControlStateNormal); }

    CGSize intrinsicContentSize() const override;
};

// The tab item of a page, made on first use and kept as long as the page lives, so that a page
// can set it up before any tab bar shows it.
std::shared_ptr<TabItem> tabItem(const UIViewController& controller);
