#pragma once

#include "platform/uikit/UIViewController.h"

#include <functional>
#include <memory>
#include <string>

// Shows one root view controller, as its child, in a container view and can replace it. The
// controller sets itself up in prepare(), which runs once when its view loads; subclasses extend
// prepare() after calling the base.
class TransitionController : public UIViewController {
  public:
    // Duration of the fade that brings in a new root.
    static constexpr double transitionDuration = 0.25;

    TransitionController();
    explicit TransitionController(std::shared_ptr<UIViewController> rootViewController);
    explicit TransitionController(std::string nibName);
    explicit TransitionController(const NSCoder& coder);

    const std::shared_ptr<UIViewController>& rootViewController() const { return rootViewController_; }
    const std::shared_ptr<UIView>& container() const { return container_; }

    // The new root takes the old one's place, fading in over the old, which leaves when the fade
    // ends; then the completion runs, on the main queue, with whether the fade ran to its end. A
    // transition to the current root (or to nothing) changes nothing and completes with false.
    void transition(std::shared_ptr<UIViewController> to, std::function<void(bool)> completion = {});

    virtual void prepare();
    void viewDidLoad() override;
    void viewWillLayoutSubviews() override;

  protected:
    // Where the container lies in the view's bounds: all of it unless a subclass needs room.
    virtual CGRect containerFrame() const;
    virtual void layoutViews();

  private:
    void installRoot();

    std::shared_ptr<UIViewController> rootViewController_;
    std::shared_ptr<UIView> container_ = std::make_shared<UIView>();
};
