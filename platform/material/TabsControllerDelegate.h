#pragma once

#include <memory>

class TabsController;
class UIViewController;

// What a tabs controller tells about page changes. Every call has an empty default.
class TabsControllerDelegate {
  public:
    virtual ~TabsControllerDelegate() = default;

    virtual void tabsControllerWillSelect(TabsController&, const std::shared_ptr<UIViewController>&) {}
    virtual void tabsControllerDidSelect(TabsController&, const std::shared_ptr<UIViewController>&) {}
};
