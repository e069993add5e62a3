#pragma once

#include "platform/material/Toolbar.h"
#include "platform/material/TransitionController.h"

#include <memory>

enum class StatusBarStyle { defaultStyle, lightContent, darkContent };

// A root view controller under a toolbar, which lies under a status-bar view as high as the
// screen's top unsafe edge. A hidden status-bar view gives its room to the toolbar; the toolbar
// keeps the height it is given.
class ToolbarController : public TransitionController {
  public:
    ToolbarController();
    explicit ToolbarController(std::shared_ptr<UIViewController> rootViewController);
    explicit ToolbarController(std::string nibName);
    explicit ToolbarController(const NSCoder& coder);

    const std::shared_ptr<Toolbar>& toolbar() const { return toolbar_; }
    const std::shared_ptr<UIView>& statusBar() const { return statusBar_; }
    // What the host shows in the status bar: dark or light text.
    StatusBarStyle statusBarStyle() const { return statusBarStyle_; }
    void setStatusBarStyle(StatusBarStyle style) { statusBarStyle_ = style; }

    void prepare() override;

  protected:
    CGRect containerFrame() const override;
    void layoutViews() override;

  private:
    CGFloat statusBarHeight() const;

    std::shared_ptr<Toolbar> toolbar_ = std::make_shared<Toolbar>();
    std::shared_ptr<UIView> statusBar_ = std::make_shared<UIView>();
    StatusBarStyle statusBarStyle_ = StatusBarStyle::defaultStyle;
};

// The nearest toolbar controller among the controller and its ancestors.
std::shared_ptr<ToolbarController> toolbarController(const UIViewController& controller);
