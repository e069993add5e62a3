#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/NSCoder.h"
#include "platform/uikit/UIResponder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class UIPopoverPresentationController;
class UIStoryboard;
class UIView;

// Platform values: form sheet 2, over current context 6, none -1.
enum class UIModalPresentationStyle {
    automatic = -2,
    none = -1,
    fullScreen = 0,
    pageSheet = 1,
    formSheet = 2,
    currentContext = 3,
    custom = 4,
    overFullScreen = 5,
    overCurrentContext = 6,
    popover = 7
};

// Platform values: cross dissolve 2.
enum class UIModalTransitionStyle {
    coverVertical = 0,
    flipHorizontal = 1,
    crossDissolve = 2,
    partialCurl = 3
};

// Manages one view tree. The view is loaded on first use: from a loader set by a storyboard
// scene, else from the nib of the controller's nib name (or its class name when none was
// given), else a plain view. Presentation puts the presented controller's view above the
// presenting one in the window, in the frame its style gives; full-screen and current-context
// styles take the presenting view away and give it disappearance calls, sheets, popovers and
// "over" styles leave it. A controller inside a parent presents from the root of its parent
// chain. Non-animated presentations and dismissals complete before they return; animated ones
// complete on the run-loop clock.
class UIViewController : public UIResponder {
  public:
    using ViewLoader = std::function<void(UIViewController&)>;

    UIViewController();
    // initWithNibName:bundle: with the main bundle.
    explicit UIViewController(std::string nibName);
    explicit UIViewController(const NSCoder& coder);
    ~UIViewController() override;

    // The view.
    std::shared_ptr<UIView> view();
    std::shared_ptr<UIView> viewIfLoaded() const { return view_; }
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(std::shared_ptr<UIView> view);
    void loadViewIfNeeded();
    virtual void loadView();
    // A storyboard scene's way of building the view and connecting outlets.
    void setViewLoader(ViewLoader loader) { viewLoader_ = std::move(loader); }
    const std::string& nibName() const { return nibName_; }
    std::shared_ptr<UIStoryboard> storyboard() const { return storyboard_; }
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Life cycle.
    virtual void awakeFromNib() {}
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    // Appearance calls for container controllers that show and hide children themselves; the
    // children whose views lie in this view's tree follow. Repeated calls are ignored.
    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    // Between viewDidAppear and viewWillDisappear.
    bool isVisible() const { return appearance_ == Appearance::appeared; }

    // Presentation.
    void presentViewController(const std::shared_ptr<UIViewController>& controller, bool animated,
                               std::function<void()> completion = {});
    // Dismisses what this controller presents, or else this controller when it is presented
    // (with everything presented above it); a child asks its parent. The completion runs when
    // done, also when there was nothing to dismiss.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    std::shared_ptr<UIViewController> presentedViewController() const { return presented_; }
    std::shared_ptr<UIViewController> presentingViewController() const { return presenting_.lock(); }
    bool isBeingPresented() const { return beingPresented_; }
    bool isBeingDismissed() const { return beingDismissed_; }
    UIModalPresentationStyle modalPresentationStyle() const { return presentationStyle_; }
    void setModalPresentationStyle(UIModalPresentationStyle style) { presentationStyle_ = style; }
    UIModalTransitionStyle modalTransitionStyle() const { return transitionStyle_; }
    void setModalTransitionStyle(UIModalTransitionStyle style) { transitionStyle_ = style; }
    // Present while the presentation style is popover.
    std::shared_ptr<UIPopoverPresentationController> popoverPresentationController();
    CGSize preferredContentSize() const { return preferredContentSize_; }
    void setPreferredContentSize(CGSize size) { preferredContentSize_ = size; }

    // Children.
    const std::vector<std::shared_ptr<UIViewController>>& childViewControllers() const { return children_; }
    void addChildViewController(const std::shared_ptr<UIViewController>& child);
    void removeFromParentViewController();
    std::shared_ptr<UIViewController> parentViewController() const;
    virtual void willMoveToParentViewController(const std::shared_ptr<UIViewController>&) {}
    virtual void didMoveToParentViewController(const std::shared_ptr<UIViewController>&) {}

    std::shared_ptr<UIResponder> nextResponder() const override;
    UITraitCollection traitCollection() const { return UITraitCollection::currentTraitCollection(); }

  private:
    friend class UIStoryboard;
    friend class UIView;

    enum class Appearance { disappeared, appearing, appeared, disappearing };

    void rootViewDidMoveToWindow();
    std::shared_ptr<UIViewController> presentationHost();
    UIModalPresentationStyle effectiveStyle(UIViewController& presenter);
    bool takesPresenterAway(UIModalPresentationStyle style) const;
    std::shared_ptr<UIView> topLevelView() const;
    void dismissPresented(bool animated, std::function<void()> completion, bool presenterLeaves = false);

    std::shared_ptr<UIView> view_;
    ViewLoader viewLoader_;
    std::string nibName_;
    std::shared_ptr<UIStoryboard> storyboard_;
    std::string title_;
    Appearance appearance_ = Appearance::disappeared;
    bool appearanceAnimated_ = false;

    std::shared_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
    // The view in the window that carries this controller's view while it is presented.
    std::shared_ptr<UIView> container_;
    UIModalPresentationStyle shownStyle_ = UIModalPresentationStyle::fullScreen;
    bool beingPresented_ = false;
    bool beingDismissed_ = false;
    UIModalPresentationStyle presentationStyle_ = UIModalPresentationStyle::automatic;
    UIModalTransitionStyle transitionStyle_ = UIModalTransitionStyle::coverVertical;
    std::shared_ptr<UIPopoverPresentationController> popover_;
    CGSize preferredContentSize_;

    std::vector<std::shared_ptr<UIViewController>> children_;
    std::weak_ptr<UIViewController> parent_;
};
