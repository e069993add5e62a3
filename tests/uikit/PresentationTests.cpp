#include "UIKitTestSupport.h"

#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIPopoverPresentationControllerDelegate.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UIViewController.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Writes every life-cycle call, prefixed with its name, into a shared log.
class LoggingController : public UIViewController {
  public:
    LoggingController(std::string name, std::shared_ptr<Log> log)
        : name_(std::move(name)), log_(std::move(log)) {}
    explicit LoggingController(const NSCoder& coder)
        : UIViewController(coder), log_(std::make_shared<Log>()) {}

    void viewDidLoad() override { log_->push_back(name_ + " load"); }
    void viewWillAppear(bool) override { log_->push_back(name_ + " will appear"); }
    void viewDidAppear(bool) override { log_->push_back(name_ + " did appear"); }
    void viewWillDisappear(bool) override { log_->push_back(name_ + " will disappear"); }
    void viewDidDisappear(bool) override { log_->push_back(name_ + " did disappear"); }
    void awakeFromNib() override { log_->push_back(name_ + " awake"); }

    std::string name_;
    std::shared_ptr<Log> log_;
    std::shared_ptr<UILabel> titleLabel;
};

class ManualNibController : public UIViewController {
  public:
    ManualNibController() = default;
    std::shared_ptr<UILabel> label;
};

class AwakeLabel : public UILabel {
  public:
    void awakeFromNib() override { ++awakenings; }
    int awakenings = 0;
};

class PresentationTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        log = std::make_shared<Log>();
        window = std::make_shared<UIWindow>();
        root = std::make_shared<LoggingController>("root", log);
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        log->clear();
    }

    std::shared_ptr<LoggingController> make(const std::string& name, UIModalPresentationStyle style) {
        auto controller = std::make_shared<LoggingController>(name, log);
        controller->setModalPresentationStyle(style);
        return controller;
    }

    std::shared_ptr<Log> log;
    std::shared_ptr<LoggingController> root;
};

TEST_F(PresentationTests, TheRootAppearsWhenTheWindowIsShown) {
    auto other = std::make_shared<UIWindow>();
    auto first = std::make_shared<LoggingController>("first", log);
    other->setRootViewController(first);
    EXPECT_EQ(*log, Log{"first load"}) << "a hidden window gives no appearance calls";
    other->makeKeyAndVisible();
    EXPECT_EQ(*log, (Log{"first load", "first will appear", "first did appear"}));
    EXPECT_EQ(first->view()->frame(), other->bounds());
    EXPECT_TRUE(other->isKeyWindow());
    EXPECT_FALSE(window->isKeyWindow());
    log->clear();
    auto second = std::make_shared<LoggingController>("second", log);
    other->setRootViewController(second);
    EXPECT_EQ(*log, (Log{"first will disappear", "first did disappear", "second load", "second will appear",
                         "second did appear"}));
}

TEST_F(PresentationTests, FullScreenTakesThePresenterAwayAndSheetsLeaveIt) {
    auto sheet = make("sheet", UIModalPresentationStyle::pageSheet);
    bool done = false;
    root->presentViewController(sheet, false, [&] { done = true; });
    EXPECT_TRUE(done);
    EXPECT_EQ(*log, (Log{"sheet load", "sheet will appear", "sheet did appear"}));
    EXPECT_EQ(root->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentingViewController(), root);
    EXPECT_EQ(sheet->view()->frame(), (CGRect{0, 57, 390, 787})) << "ten points below the safe area";
    EXPECT_FALSE(root->view()->isHidden());

    log->clear();
    auto cover = make("cover", UIModalPresentationStyle::fullScreen);
    sheet->presentViewController(cover, false);
    EXPECT_EQ(*log, (Log{"cover load", "cover will appear", "sheet will disappear", "sheet did disappear",
                         "cover did appear"}));
    EXPECT_EQ(cover->view()->frame(), window->bounds());

    // Dismissing from the bottom of the chain takes everything above it away; the sheet, hidden
    // by the cover, neither comes back nor disappears a second time.
    log->clear();
    root->dismissViewControllerAnimated(false, [&] { log->push_back("dismissed"); });
    EXPECT_EQ(*log, (Log{"cover will disappear", "cover did disappear", "dismissed"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(cover->view()->window(), nullptr);
    EXPECT_EQ(window->subviews().size(), 1u);
}

TEST_F(PresentationTests, AnimatedPresentationsCompleteOnTheClock) {
    auto cover = make("cover", UIModalPresentationStyle::fullScreen);
    bool presented = false;
    root->presentViewController(cover, true, [&] { presented = true; });
    EXPECT_EQ(*log, (Log{"cover load", "cover will appear", "root will disappear"}));
    EXPECT_TRUE(cover->isBeingPresented());
    EXPECT_GT(cover->view()->layer()->position().y, 844) << "covering from below";
    clock->advance(0.15);
    EXPECT_FALSE(presented);
    EXPECT_LT(cover->view()->layer()->position().y, 844 + 422);
    clock->advance(0.2);
    EXPECT_TRUE(presented);
    EXPECT_EQ(*log, (Log{"cover load", "cover will appear", "root will disappear", "root did disappear",
                         "cover did appear"}));
    EXPECT_TRUE(root->view()->isHidden());

    log->clear();
    cover->dismissViewControllerAnimated(true);
    EXPECT_FALSE(root->view()->isHidden());
    EXPECT_EQ(*log, (Log{"cover will disappear", "root will appear"}));
    clock->advance(0.4);
    EXPECT_EQ(*log,
              (Log{"cover will disappear", "root will appear", "cover did disappear", "root did appear"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(PresentationTests, ChildrenPresentFromTheirRootAndOnlyOneAtATime) {
    auto child = std::make_shared<LoggingController>("child", log);
    root->addChildViewController(child);
    root->view()->addSubview(child->view());
    child->didMoveToParentViewController(root);
    EXPECT_EQ(*log, (Log{"child load", "child will appear", "child did appear"}))
        << "a child's view entering a shown parent appears";
    log->clear();

    auto first = make("first", UIModalPresentationStyle::overCurrentContext);
    child->presentViewController(first, false);
    EXPECT_EQ(root->presentedViewController(), first);
    EXPECT_EQ(first->presentingViewController(), root);

    auto second = make("second", UIModalPresentationStyle::formSheet);
    bool completed = false;
    root->presentViewController(second, false, [&] { completed = true; });
    EXPECT_FALSE(completed) << "a controller that already presents refuses";
    EXPECT_EQ(second->presentingViewController(), nullptr);

    child->dismissViewControllerAnimated(false);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    log->clear();
    child->view()->removeFromSuperview();
    EXPECT_EQ(*log, (Log{"child will disappear", "child did disappear"}));

    auto orphan = std::make_shared<UIViewController>();
    orphan->presentViewController(make("lost", UIModalPresentationStyle::fullScreen), false);
    EXPECT_EQ(orphan->presentedViewController(), nullptr) << "a presenter must be in a window";
}

TEST_F(PresentationTests, AlertHandlersRunAfterTheAlertIsGoneAndSheetsStackCancelLast) {
    auto alert = UIAlertController::alertControllerWithTitle("Clear History", "Are you sure?",
                                                             UIAlertControllerStyle::alert);
    std::vector<std::string> order;
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyle::cancel,
                                                    [&](const auto&) { order.push_back("cancel"); }));
    alert->addAction(
        UIAlertAction::actionWithTitle("Clear", UIAlertActionStyle::defaultStyle, [&](const auto& action) {
            order.push_back(action->title());
            order.push_back(root->presentedViewController() ? "alert still up" : "alert gone");
        }));
    root->presentViewController(alert, true);
    clock->advance(0.5);
    auto cancel = alert->buttonForAction(alert->actions()[0].get());
    auto clear = alert->buttonForAction(alert->actions()[1].get());
    ASSERT_TRUE(cancel && clear);
    EXPECT_LT(cancel->frame().minX(), clear->frame().minX()) << "two buttons side by side, cancel first";
    EXPECT_EQ(clear->accessibilityIdentifier(), "Clear");

    CGPoint centre =
        clear->convertPointToView({clear->bounds().midX(), clear->bounds().midY()}, window.get());
    window->tapAtPoint(centre);
    EXPECT_TRUE(order.empty()) << "the handler waits for the dismissal";
    window->tapAtPoint(centre);
    clock->advance(0.5);
    EXPECT_EQ(order, (std::vector<std::string>{"Clear", "alert gone"}))
        << "a second tap while leaving is ignored";

    // An action sheet stacks its buttons with cancel last.
    auto sheet = UIAlertController::alertControllerWithTitle(std::nullopt, std::nullopt,
                                                             UIAlertControllerStyle::actionSheet);
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyle::cancel));
    sheet->addAction(UIAlertAction::actionWithTitle("Delete", UIAlertActionStyle::destructive));
    sheet->addAction(UIAlertAction::actionWithTitle("Keep", UIAlertActionStyle::defaultStyle));
    sheet->loadViewIfNeeded();
    CGFloat cancelY = sheet->buttonForAction(sheet->actions()[0].get())->frame().minY();
    CGFloat deleteY = sheet->buttonForAction(sheet->actions()[1].get())->frame().minY();
    CGFloat keepY = sheet->buttonForAction(sheet->actions()[2].get())->frame().minY();
    EXPECT_LT(deleteY, keepY);
    EXPECT_LT(keepY, cancelY);
    EXPECT_EQ(sheet->buttonForAction(sheet->actions()[1].get())->currentTitleColor(),
              UIColor::systemRedColor());
}

TEST_F(PresentationTests, PopoversAdaptToSheetsUnlessTheDelegateSaysNone) {
    class KeepPopover : public UIPopoverPresentationControllerDelegate {
        std::optional<UIModalPresentationStyle>
        adaptivePresentationStyleForPresentationControllerTraitCollection(
            const std::shared_ptr<UIPresentationController>&, const UITraitCollection&) override {
            return UIModalPresentationStyle::none;
        }
    };
    auto adapted = make("adapted", UIModalPresentationStyle::popover);
    root->presentViewController(adapted, false);
    EXPECT_EQ(adapted->view()->frame().size.width, 390) << "a sheet on a phone";
    root->dismissViewControllerAnimated(false);

    auto keeper = std::make_shared<KeepPopover>();
    auto popup = make("popup", UIModalPresentationStyle::popover);
    popup->setPreferredContentSize({80, 200});
    auto anchor = std::make_shared<UIView>(CGRect{100, 300, 40, 40});
    root->view()->addSubview(anchor);
    popup->popoverPresentationController()->setSourceView(anchor);
    popup->popoverPresentationController()->setSourceRect(anchor->bounds());
    popup->popoverPresentationController()->setDelegate(keeper);
    root->presentViewController(popup, false);
    EXPECT_EQ(popup->view()->frame(), (CGRect{80, 348, 80, 200}));
    window->tapAtPoint({300, 100});
    clock->advance(0.5);
    EXPECT_EQ(root->presentedViewController(), nullptr) << "a tap outside closes a popover";
}

TEST_F(PresentationTests, StoryboardScenesAndNibsBuildViewsAndConnectOutlets) {
    int scenesBuilt = 0;
    UIStoryboard::registerScene("TestMain", "LoggingController", [&] {
        ++scenesBuilt;
        auto controller = std::make_shared<LoggingController>(NSCoder{});
        controller->name_ = "scene";
        controller->setViewLoader([](UIViewController& owner) {
            auto& self = static_cast<LoggingController&>(owner);
            auto view = std::make_shared<UIView>(CGRect{0, 0, 390, 844});
            self.titleLabel = std::make_shared<AwakeLabel>();
            view->addSubview(self.titleLabel);
            self.setView(view);
        });
        return controller;
    });
    auto storyboard = UIStoryboard::storyboardWithName("TestMain");
    ASSERT_NE(storyboard, nullptr);
    EXPECT_EQ(UIStoryboard::storyboardWithName("NoSuchStoryboard"), nullptr);
    EXPECT_EQ(storyboard->instantiateViewControllerWithIdentifier("Unknown"), nullptr);
    auto controller = std::dynamic_pointer_cast<LoggingController>(
        storyboard->instantiateViewControllerWithIdentifier("LoggingController"));
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(scenesBuilt, 1);
    EXPECT_EQ(controller->storyboard(), storyboard);
    EXPECT_EQ(*controller->log_, Log{"scene awake"});
    EXPECT_FALSE(controller->isViewLoaded()) << "the view waits for first use";
    controller->loadViewIfNeeded();
    ASSERT_NE(controller->titleLabel, nullptr);
    EXPECT_EQ(static_cast<AwakeLabel&>(*controller->titleLabel).awakenings, 1);
    EXPECT_EQ(*controller->log_, (Log{"scene awake", "scene load"}));

    // A controller without a nib name loads the nib named after its class.
    UINib::registerNib("ManualNibController", [](const std::shared_ptr<UIResponder>& owner) {
        auto controller = std::dynamic_pointer_cast<ManualNibController>(owner);
        auto view = std::make_shared<UIView>(CGRect{0, 0, 300, 300});
        controller->label = std::make_shared<AwakeLabel>();
        view->addSubview(controller->label);
        controller->setView(view);
        return std::vector<std::shared_ptr<UIResponder>>{};
    });
    auto manual = std::make_shared<ManualNibController>();
    EXPECT_EQ(manual->view()->frame().size.width, 300);
    ASSERT_NE(manual->label, nullptr);
    EXPECT_EQ(static_cast<AwakeLabel&>(*manual->label).awakenings, 1);
    // Loading again with the same owner does not wake the views it already has.
    UINib::loadNibNamed("ManualNibController", manual);
    EXPECT_EQ(static_cast<AwakeLabel&>(*manual->label).awakenings, 1);
    EXPECT_TRUE(UINib::loadNibNamed("NoSuchNib", manual).empty());

    auto unnamed = std::make_shared<UIViewController>("NoSuchNib");
    EXPECT_NE(unnamed->view(), nullptr) << "a missing nib gives a plain view";
}

} // namespace
