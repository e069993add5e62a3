#pragma once

#include "platform/material/TabItem.h"
#include "platform/uikit/UIView.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

enum class TabBarLineAlignment { top, bottom };

// A row of equally wide tab items with a line that marks the selected one and an optional divider
// along the bar's edge.
class TabBar : public UIView {
  public:
    static constexpr CGFloat defaultHeight = 48;
    static constexpr CGFloat lineHeight = 3;

    TabBar();

    const std::vector<std::shared_ptr<TabItem>>& tabItems() const { return tabItems_; }
    void setTabItems(std::vector<std::shared_ptr<TabItem>> items);
    std::size_t selectedIndex() const { return selectedIndex_; }
    // Moves the line to the item; an index past the items is ignored.
    void selectTabItem(std::size_t index);

    // Nothing: no divider.
    const std::optional<UIColor>& dividerColor() const { return dividerColor_; }
    void setDividerColor(std::optional<UIColor> color);
    UIColor lineColor() const { return line_->backgroundColor().value_or(UIColor()); }
    void setLineColor(UIColor color) { line_->setBackgroundColor(std::move(color)); }
    TabBarLineAlignment lineAlignment() const { return lineAlignment_; }
    void setLineAlignment(TabBarLineAlignment alignment);

    const std::shared_ptr<UIView>& line() const { return line_; }
    const std::shared_ptr<UIView>& divider() const { return divider_; }

    void layoutSubviews() override;

  private:
    CGRect lineFrame() const;

    std::vector<std::shared_ptr<TabItem>> tabItems_;
    std::size_t selectedIndex_ = 0;
    std::shared_ptr<UIView> line_ = std::make_shared<UIView>();
    std::shared_ptr<UIView> divider_ = std::make_shared<UIView>();
    std::optional<UIColor> dividerColor_;
    TabBarLineAlignment lineAlignment_ = TabBarLineAlignment::bottom;
};
