#include "platform/material/TransitionController.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/uikit/UIView.h"

TransitionController::TransitionController() = default;

TransitionController::TransitionController(std::shared_ptr<UIViewController> rootViewController)
    : rootViewController_(std::move(rootViewController)) {}

TransitionController::TransitionController(std::string nibName) : UIViewController(std::move(nibName)) {}

TransitionController::TransitionController(const NSCoder& coder) : UIViewController(coder) {}

void TransitionController::viewDidLoad() {
    UIViewController::viewDidLoad();
    prepare();
}

void TransitionController::prepare() {
    view()->setClipsToBounds(true);
    container_->setClipsToBounds(true);
    container_->setFrame(containerFrame());
    view()->addSubview(container_);
    installRoot();
}

void TransitionController::installRoot() {
    if (!rootViewController_) {
        return;
    }
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    addChildViewController(rootViewController_);
    auto rootView = rootViewController_->view();
    rootView->setFrame(container_->bounds());
    rootView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    container_->addSubview(rootView);
    rootViewController_->didMoveToParentViewController(self);
}

CGRect TransitionController::containerFrame() const {
    auto view = viewIfLoaded();
    return view ? view->bounds() : CGRect{};
}

void TransitionController::viewWillLayoutSubviews() {
    UIViewController::viewWillLayoutSubviews();
    layoutViews();
}

void TransitionController::layoutViews() {
    container_->setFrame(containerFrame());
}

void TransitionController::transition(std::shared_ptr<UIViewController> to,
                                      std::function<void(bool)> completion) {
    auto completeSoon = [&completion](bool finished) {
        if (completion) {
            DispatchQueue::main()->async(
                [completion = std::move(completion), finished] { completion(finished); });
        }
    };
    if (!to || to == rootViewController_) {
        completeSoon(false);
        return;
    }
    auto old = rootViewController_;
    rootViewController_ = std::move(to);
    if (!isViewLoaded()) {
        completeSoon(true);
        return;
    }
    installRoot();
    auto incomingView = rootViewController_->view();
    incomingView->setAlpha(0);
    auto self = std::static_pointer_cast<TransitionController>(shared_from_this());
    UIView::animateWithDuration(
        transitionDuration, [incomingView] { incomingView->setAlpha(1); },
        [self, old, completion = std::move(completion)](bool finished) {
            if (old && old != self->rootViewController_) {
                old->willMoveToParentViewController(nullptr);
                old->view()->removeFromSuperview();
                old->removeFromParentViewController();
            }
            if (completion) {
                completion(finished);
            }
        });
}
