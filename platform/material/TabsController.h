#pragma once

#include "platform/material/TabBar.h"
#include "platform/material/TabsControllerDelegate.h"
#include "platform/uikit/UIViewController.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

enum class TabBarAlignment { top, bottom };

// Pages side by side, one shown at a time, under (or over) a tab bar that holds each page's tab
// item. A tap on an enabled item shows its page; select shows a page whatever its item's state.
// Pages that leave the screen get their disappearance calls, the shown page its appearance calls.
// The controller sets itself up in prepare(), which runs once when its view loads.
class TabsController : public UIViewController {
  public:
    TabsController();
    explicit TabsController(std::vector<std::shared_ptr<UIViewController>> viewControllers,
                            std::size_t selectedIndex = 0);
    explicit TabsController(std::string nibName);
    explicit TabsController(const NSCoder& coder);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return viewControllers_; }
    std::size_t selectedIndex() const { return selectedIndex_; }
    // Shows the page at the index; the current page or an index past the pages changes nothing.
    void select(std::size_t index);

    const std::shared_ptr<TabBar>& tabBar() const { return tabBar_; }
    TabBarAlignment tabBarAlignment() const { return tabBarAlignment_; }
    void setTabBarAlignment(TabBarAlignment alignment);
    const std::shared_ptr<UIView>& container() const { return container_; }

    std::weak_ptr<TabsControllerDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<TabsControllerDelegate> delegate) { delegate_ = std::move(delegate); }

    virtual void prepare();
    void viewDidLoad() override;
    void viewWillLayoutSubviews() override;

  private:
    void layoutViews();
    void showPage(std::size_t index);
    void handleTabItem(const std::shared_ptr<TabItem>& item);

    std::vector<std::shared_ptr<UIViewController>> viewControllers_;
    std::size_t selectedIndex_ = 0;
    std::shared_ptr<TabBar> tabBar_ = std::make_shared<TabBar>();
    std::shared_ptr<UIView> container_ = std::make_shared<UIView>();
    TabBarAlignment tabBarAlignment_ = TabBarAlignment::bottom;
    std::weak_ptr<TabsControllerDelegate> delegate_;
};

// The nearest tabs controller among the controller and its ancestors.
std::shared_ptr<TabsController> tabsController(const UIViewController& controller);
