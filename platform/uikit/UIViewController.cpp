#include "platform/uikit/UIViewController.h"

#include "platform/foundation/DebugConsole.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double transitionDuration = 0.3;

// The unqualified name of the object's class, as a nib named after the class is found by.
std::string classNameOf(const UIViewController& controller) {
    const char* mangled = typeid(controller).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

// Holds a presented view in the window, over a dimming layer; a tap on the dimming part of a
// popover dismisses it.
class PresentationContainerView : public UIView {
  public:
    explicit PresentationContainerView(const CGRect& frame) : UIView(frame) {
        dimming = std::make_shared<UIView>(CGRect{{0, 0}, frame.size});
        dimming->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        addSubview(dimming);
    }

    void touchesEnded(UITouch& touch) override {
        auto controller = presented.lock();
        if (dismissesOnOutsideTap && controller && touch.view() == dimming) {
            controller->dismissViewControllerAnimated(true);
        }
    }

    std::shared_ptr<UIView> dimming;
    std::weak_ptr<UIViewController> presented;
    bool dismissesOnOutsideTap = false;
};

CGRect popoverFrame(const UIPopoverPresentationController* popover, CGSize size, const UIWindow& window) {
    CGRect bounds = window.bounds();
    constexpr CGFloat margin = 8;
    size.width = std::min(size.width, bounds.width() - 2 * margin);
    size.height = std::min(size.height, bounds.height() - 2 * margin);
    CGRect anchor{bounds.midX(), bounds.midY(), 0, 0};
    if (popover) {
        if (auto source = popover->sourceView()) {
            anchor = source->convertRectToView(popover->sourceRect(), &window);
        }
    }
    CGFloat x = std::clamp(anchor.midX() - size.width / 2, margin, bounds.maxX() - margin - size.width);
    CGFloat below = anchor.maxY() + margin;
    CGFloat y = below + size.height <= bounds.maxY() - margin ? below : anchor.minY() - margin - size.height;
    y = std::clamp(y, margin, bounds.maxY() - margin - size.height);
    return {x, y, size.width, size.height};
}

} // namespace

UIViewController::UIViewController() = default;

UIViewController::UIViewController(std::string nibName) : nibName_(std::move(nibName)) {}

UIViewController::UIViewController(const NSCoder&) {}

UIViewController::~UIViewController() {
    if (view_ && view_->viewController_ == this) {
        view_->viewController_ = nullptr;
    }
}

// The view.

std::shared_ptr<UIView> UIViewController::view() {
    loadViewIfNeeded();
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
    if (view_ && view_->viewController_ == this) {
        view_->viewController_ = nullptr;
    }
    view_ = std::move(view);
    if (view_) {
        view_->viewController_ = this;
    }
}

void UIViewController::loadViewIfNeeded() {
    if (view_) {
        return;
    }
    loadView();
    if (!view_) {
        setView(std::make_shared<UIView>(UIScreen::mainScreen()->bounds()));
    }
    viewDidLoad();
}

void UIViewController::loadView() {
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    if (viewLoader_) {
        viewLoader_(*this);
        if (view_) {
            UINib::awakeViewTree(*view_);
        }
        return;
    }
    std::string name = nibName_.empty() ? classNameOf(*this) : nibName_;
    if (auto nib = UINib::nibWithNibName(name)) {
        nib->instantiateWithOwner(self);
        if (!view_) {
            DebugConsole::print("The nib \"" + name + "\" did not set the view of its owner");
        }
        return;
    }
    if (!nibName_.empty()) {
        DebugConsole::print("No nib named \"" + nibName_ + "\"");
    }
    setView(std::make_shared<UIView>(UIScreen::mainScreen()->bounds()));
}

// Appearance.

void UIViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    if (isAppearing ? (appearance_ == Appearance::appearing || appearance_ == Appearance::appeared)
                    : (appearance_ == Appearance::disappearing || appearance_ == Appearance::disappeared)) {
        return;
    }
    auto keepAlive = shared_from_this();
    loadViewIfNeeded();
    appearance_ = isAppearing ? Appearance::appearing : Appearance::disappearing;
    appearanceAnimated_ = animated;
    if (isAppearing) {
        viewWillAppear(animated);
    } else {
        viewWillDisappear(animated);
    }
    for (const auto& child : std::vector<std::shared_ptr<UIViewController>>(children_)) {
        if (child->view_ && child->view_->isDescendantOfView(view_.get())) {
            child->beginAppearanceTransition(isAppearing, animated);
        }
    }
}

void UIViewController::endAppearanceTransition() {
    auto keepAlive = shared_from_this();
    if (appearance_ == Appearance::appearing) {
        appearance_ = Appearance::appeared;
        viewDidAppear(appearanceAnimated_);
    } else if (appearance_ == Appearance::disappearing) {
        appearance_ = Appearance::disappeared;
        viewDidDisappear(appearanceAnimated_);
    } else {
        return;
    }
    for (const auto& child : std::vector<std::shared_ptr<UIViewController>>(children_)) {
        child->endAppearanceTransition();
    }
}

void UIViewController::rootViewDidMoveToWindow() {
    auto parent = parentViewController();
    if (!parent || !view_) {
        return;
    }
    auto window = view_->window();
    bool shown = window && !window->isHidden();
    if (shown &&
        (parent->appearance_ == Appearance::appeared || parent->appearance_ == Appearance::appearing)) {
        beginAppearanceTransition(true, false);
        if (parent->appearance_ == Appearance::appeared) {
            endAppearanceTransition();
        }
    } else if (!shown && (appearance_ == Appearance::appeared || appearance_ == Appearance::appearing)) {
        beginAppearanceTransition(false, false);
        endAppearanceTransition();
    }
}

// Presentation.

std::shared_ptr<UIViewController> UIViewController::presentationHost() {
    auto host = std::static_pointer_cast<UIViewController>(shared_from_this());
    while (auto parent = host->parentViewController()) {
        host = parent;
    }
    return host;
}

std::shared_ptr<UIPopoverPresentationController> UIViewController::popoverPresentationController() {
    if (presentationStyle_ != UIModalPresentationStyle::popover) {
        return nullptr;
    }
    if (!popover_) {
        popover_ = std::make_shared<UIPopoverPresentationController>(
            std::static_pointer_cast<UIViewController>(shared_from_this()));
    }
    return popover_;
}

UIModalPresentationStyle UIViewController::effectiveStyle(UIViewController&) {
    bool pad = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiom::pad;
    switch (presentationStyle_) {
    case UIModalPresentationStyle::automatic:
    case UIModalPresentationStyle::none:
        return UIModalPresentationStyle::pageSheet;
    case UIModalPresentationStyle::popover: {
        if (pad) {
            return UIModalPresentationStyle::popover;
        }
        auto popover = popoverPresentationController();
        if (auto delegate = popover->delegate()) {
            auto adapted = delegate->adaptivePresentationStyleForPresentationControllerTraitCollection(
                popover, traitCollection());
            if (adapted) {
                return *adapted == UIModalPresentationStyle::none ? UIModalPresentationStyle::popover
                                                                  : *adapted;
            }
        }
        return UIModalPresentationStyle::pageSheet;
    }
    default:
        return presentationStyle_;
    }
}

bool UIViewController::takesPresenterAway(UIModalPresentationStyle style) const {
    return style == UIModalPresentationStyle::fullScreen || style == UIModalPresentationStyle::currentContext;
}

std::shared_ptr<UIView> UIViewController::topLevelView() const {
    return container_ ? container_ : view_;
}

void UIViewController::presentViewController(const std::shared_ptr<UIViewController>& controller,
                                             bool animated, std::function<void()> completion) {
    if (!controller || controller.get() == this || controller->presentingViewController() ||
        controller->parentViewController()) {
        return;
    }
    auto presenter = presentationHost();
    if (presenter->presented_) {
        DebugConsole::print("Attempt to present " + classNameOf(*controller) + " on " +
                            classNameOf(*presenter) + " which is already presenting " +
                            classNameOf(*presenter->presented_));
        return;
    }
    auto window = presenter->view()->window();
    if (!window) {
        DebugConsole::print("Attempt to present " + classNameOf(*controller) + " on " +
                            classNameOf(*presenter) + " whose view is not in the window hierarchy");
        return;
    }
    UIModalPresentationStyle style = controller->effectiveStyle(*presenter);
    presenter->presented_ = controller;
    controller->presenting_ = presenter;
    controller->shownStyle_ = style;
    controller->beingPresented_ = true;

    auto view = controller->view();
    CGRect bounds = window->bounds();
    auto container = std::make_shared<PresentationContainerView>(bounds);
    container->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    container->presented = controller;
    CGRect frame = bounds;
    bool pad = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiom::pad;
    UIColor dimming = UIColor::clearColor();
    switch (style) {
    case UIModalPresentationStyle::pageSheet:
    case UIModalPresentationStyle::formSheet: {
        CGFloat top = window->windowSafeAreaInsets().top + 10;
        if (pad) {
            CGSize size{
                std::min<CGFloat>(style == UIModalPresentationStyle::formSheet ? 540 : 704, bounds.width()),
                std::min<CGFloat>(620, bounds.height() - top)};
            frame = {bounds.midX() - size.width / 2, bounds.midY() - size.height / 2, size.width,
                     size.height};
        } else {
            frame = {0, top, bounds.width(), bounds.height() - top};
        }
        view->layer()->setCornerRadius(10);
        view->setClipsToBounds(true);
        dimming = UIColor::colorWithWhite(0, 0.4);
        break;
    }
    case UIModalPresentationStyle::popover: {
        CGSize size = controller->preferredContentSize_;
        if (size.width <= 0 || size.height <= 0) {
            size = {320, 480};
        }
        frame = popoverFrame(controller->popover_.get(), size, *window);
        view->layer()->setCornerRadius(13);
        view->setClipsToBounds(true);
        container->dismissesOnOutsideTap = true;
        break;
    }
    case UIModalPresentationStyle::currentContext:
    case UIModalPresentationStyle::overCurrentContext:
        frame = presenter->view()->convertRectToView(presenter->view()->bounds(), window.get());
        break;
    default:
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        break;
    }
    container->dimming->setBackgroundColor(dimming);
    view->setFrame(frame);
    container->addSubview(view);
    controller->container_ = container;

    bool takesAway = takesPresenterAway(style);
    controller->beginAppearanceTransition(true, animated);
    if (takesAway) {
        presenter->beginAppearanceTransition(false, animated);
    }
    window->addSubview(container);
    auto finish = [controller, presenter, takesAway, completion] {
        if (takesAway) {
            presenter->topLevelView()->setHidden(true);
            presenter->endAppearanceTransition();
        }
        controller->endAppearanceTransition();
        controller->beingPresented_ = false;
        if (completion) {
            completion();
        }
    };
    if (!animated) {
        finish();
        return;
    }
    bool dissolve = controller->transitionStyle_ != UIModalTransitionStyle::coverVertical;
    container->dimming->setAlpha(0);
    if (dissolve) {
        view->setAlpha(0);
    } else {
        view->setFrame(frame.offsetBy(0, bounds.height() - frame.minY()));
    }
    UIView::animateWithDuration(
        transitionDuration, 0, UIViewAnimationOptionCurveEaseOut,
        [&] {
            container->dimming->setAlpha(1);
            view->setAlpha(1);
            view->setFrame(frame);
        },
        [finish](bool) { finish(); });
}

void UIViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion) {
    if (presented_) {
        presented_->dismissPresented(animated, std::move(completion));
    } else if (presenting_.lock()) {
        dismissPresented(animated, std::move(completion));
    } else if (auto parent = parentViewController()) {
        parent->dismissViewControllerAnimated(animated, std::move(completion));
    } else if (completion) {
        completion();
    }
}

// Dismisses this presented controller and everything it presents. A presenter that leaves too
// gets no appearance calls.
void UIViewController::dismissPresented(bool animated, std::function<void()> completion,
                                        bool presenterLeaves) {
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    auto presenter = presenting_.lock();
    if (!presenter || beingDismissed_) {
        return;
    }
    if (presented_) {
        presented_->dismissPresented(false, {}, true);
    }
    beingDismissed_ = true;
    bool takesAway = takesPresenterAway(shownStyle_) && !presenterLeaves;
    beginAppearanceTransition(false, animated);
    if (takesAway) {
        presenter->topLevelView()->setHidden(false);
        presenter->beginAppearanceTransition(true, animated);
    }
    auto finish = [self, presenter, takesAway, completion] {
        if (self->container_) {
            self->container_->removeFromSuperview();
            self->container_.reset();
        }
        if (self->view_) {
            self->view_->removeFromSuperview();
        }
        self->endAppearanceTransition();
        if (takesAway) {
            presenter->endAppearanceTransition();
        }
        presenter->presented_.reset();
        self->presenting_.reset();
        self->beingDismissed_ = false;
        if (completion) {
            completion();
        }
    };
    if (!animated || !container_) {
        finish();
        return;
    }
    auto container = std::static_pointer_cast<PresentationContainerView>(container_);
    bool dissolve = transitionStyle_ != UIModalTransitionStyle::coverVertical;
    CGRect frame = view_->frame();
    CGFloat drop = container->bounds().height() - frame.minY();
    UIView::animateWithDuration(
        transitionDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [&] {
            container->dimming->setAlpha(0);
            if (dissolve) {
                view_->setAlpha(0);
            } else {
                view_->setFrame(frame.offsetBy(0, drop));
            }
        },
        [finish](bool) { finish(); });
}

// Children.

void UIViewController::addChildViewController(const std::shared_ptr<UIViewController>& child) {
    if (!child || child.get() == this) {
        return;
    }
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    if (child->parentViewController() == self) {
        return;
    }
    child->removeFromParentViewController();
    child->willMoveToParentViewController(self);
    children_.push_back(child);
    child->parent_ = self;
}

void UIViewController::removeFromParentViewController() {
    auto parent = parentViewController();
    if (!parent) {
        return;
    }
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    auto& siblings = parent->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    parent_.reset();
    didMoveToParentViewController(nullptr);
}

std::shared_ptr<UIViewController> UIViewController::parentViewController() const {
    return parent_.lock();
}

std::shared_ptr<UIResponder> UIViewController::nextResponder() const {
    if (view_) {
        if (auto superview = view_->superview()) {
            return superview;
        }
    }
    if (auto presenter = presenting_.lock()) {
        return presenter;
    }
    return parent_.lock();
}
