#include "platform/material/ToolbarController.h"

#include "platform/material/EnclosingController.h"
#include "platform/uikit/UIScreen.h"

ToolbarController::ToolbarController() = default;

ToolbarController::ToolbarController(std::shared_ptr<UIViewController> rootViewController)
    : TransitionController(std::move(rootViewController)) {}

ToolbarController::ToolbarController(std::string nibName) : TransitionController(std::move(nibName)) {}

ToolbarController::ToolbarController(const NSCoder& coder) : TransitionController(coder) {}

void ToolbarController::prepare() {
    TransitionController::prepare();
    statusBar_->setBackgroundColor(UIColor::whiteColor());
    view()->addSubview(toolbar_);
    view()->addSubview(statusBar_);
    layoutViews();
}

CGFloat ToolbarController::statusBarHeight() const {
    return statusBar_->isHidden() ? 0 : UIScreen::mainScreen()->safeAreaInsets().top;
}

void ToolbarController::layoutViews() {
    auto view = viewIfLoaded();
    if (!view) {
        return;
    }
    CGFloat width = view->bounds().width();
    statusBar_->setFrame({0, 0, width, UIScreen::mainScreen()->safeAreaInsets().top});
    toolbar_->setFrame({0, statusBarHeight(), width, toolbar_->bounds().height()});
    TransitionController::layoutViews();
}

CGRect ToolbarController::containerFrame() const {
    auto view = viewIfLoaded();
    if (!view) {
        return {};
    }
    CGRect bounds = view->bounds();
    CGFloat top = statusBarHeight() + toolbar_->bounds().height();
    return {0, top, bounds.width(), std::max<CGFloat>(0, bounds.height() - top)};
}

std::shared_ptr<ToolbarController> toolbarController(const UIViewController& controller) {
    return enclosingController<ToolbarController>(controller);
}
