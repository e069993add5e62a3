#include "platform/material/TabsController.h"

#include "platform/material/EnclosingController.h"

#include <algorithm>

TabsController::TabsController() = default;

TabsController::TabsController(std::vector<std::shared_ptr<UIViewController>> viewControllers,
                               std::size_t selectedIndex)
    : viewControllers_(std::move(viewControllers)),
      selectedIndex_(selectedIndex < viewControllers_.size() ? selectedIndex : 0) {
    std::erase(viewControllers_, nullptr);
}

TabsController::TabsController(std::string nibName) : UIViewController(std::move(nibName)) {}

TabsController::TabsController(const NSCoder& coder) : UIViewController(coder) {}

void TabsController::viewDidLoad() {
    UIViewController::viewDidLoad();
    prepare();
}

void TabsController::prepare() {
    auto self = std::static_pointer_cast<TabsController>(shared_from_this());
    view()->setClipsToBounds(true);
    container_->setClipsToBounds(true);
    view()->addSubview(container_);
    view()->addSubview(tabBar_);
    std::vector<std::shared_ptr<TabItem>> items;
    for (const auto& page : viewControllers_) {
        addChildViewController(page);
        page->didMoveToParentViewController(self);
        auto item = tabItem(*page);
        item->removeTarget(this, UIControlEventTouchUpInside);
        item->addTarget(self, &TabsController::handleTabItem, UIControlEventTouchUpInside);
        items.push_back(item);
    }
    tabBar_->setTabItems(std::move(items));
    layoutViews();
    showPage(selectedIndex_);
}

void TabsController::setTabBarAlignment(TabBarAlignment alignment) {
    tabBarAlignment_ = alignment;
    if (auto view = viewIfLoaded()) {
        view->setNeedsLayout();
    }
}

void TabsController::viewWillLayoutSubviews() {
    UIViewController::viewWillLayoutSubviews();
    layoutViews();
}

void TabsController::layoutViews() {
    auto view = viewIfLoaded();
    if (!view) {
        return;
    }
    CGRect bounds = view->bounds();
    CGFloat barHeight = tabBar_->bounds().height();
    CGFloat contentHeight = std::max<CGFloat>(0, bounds.height() - barHeight);
    if (tabBarAlignment_ == TabBarAlignment::top) {
        tabBar_->setFrame({0, 0, bounds.width(), barHeight});
        container_->setFrame({0, barHeight, bounds.width(), contentHeight});
    } else {
        container_->setFrame({0, 0, bounds.width(), contentHeight});
        tabBar_->setFrame({0, contentHeight, bounds.width(), barHeight});
    }
}

void TabsController::showPage(std::size_t index) {
    if (index >= viewControllers_.size()) {
        return;
    }
    for (std::size_t i = 0; i < viewControllers_.size(); ++i) {
        auto pageView = viewControllers_[i]->viewIfLoaded();
        if (i != index && pageView && pageView->superview() == container_) {
            pageView->removeFromSuperview();
        }
    }
    auto pageView = viewControllers_[index]->view();
    pageView->setFrame(container_->bounds());
    pageView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    container_->addSubview(pageView);
    tabBar_->selectTabItem(index);
}

void TabsController::select(std::size_t index) {
    if (index >= viewControllers_.size() || index == selectedIndex_) {
        return;
    }
    auto self = std::static_pointer_cast<TabsController>(shared_from_this());
    auto page = viewControllers_[index];
    if (auto delegate = delegate_.lock()) {
        delegate->tabsControllerWillSelect(*this, page);
    }
    selectedIndex_ = index;
    if (isViewLoaded()) {
        showPage(index);
    }
    if (auto delegate = delegate_.lock()) {
        delegate->tabsControllerDidSelect(*this, page);
    }
}

void TabsController::handleTabItem(const std::shared_ptr<TabItem>& item) {
    auto& items = tabBar_->tabItems();
    auto it = std::find(items.begin(), items.end(), item);
    if (it != items.end()) {
        select(static_cast<std::size_t>(it - items.begin()));
    }
}

std::shared_ptr<TabsController> tabsController(const UIViewController& controller) {
    return enclosingController<TabsController>(controller);
}
