#include "app/ConnectivityCheck.h"
#include "app/LeftViewController.h"
#include "app/RemoteConfigManager.h"
#include "platform/foundation/Locale.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIStoryboard.h"
#include "tests/app/AppTest.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/veraziva/RunLoopWaiting.h"

namespace {

AppMetaData catalogueApp(std::map<std::string, std::string> names, std::optional<bool> multi) {
    AppMetaData app;
    app.appIdentifiers = {"com.example." + names.begin()->second};
    app.appName = std::move(names);
    app.isMultiApp = multi;
    app.shouldShow = true;
    return app;
}

class SideMenuTable : public AppTest {
  protected:
    void TearDown() override {
        RemoteConfigManager::shared()->apps.clear();
        Locale::setCurrentLanguageOverride(std::nullopt);
        UIApplication::sharedApplication()->setLinkOpener({});
        AppTest::TearDown();
    }

    std::shared_ptr<LeftViewController> menu(std::vector<AppMetaData> apps) {
        RemoteConfigManager::shared()->apps = std::move(apps);
        auto controller = std::dynamic_pointer_cast<LeftViewController>(
            UIStoryboard::storyboardWithName(LeftViewController::storyboardName)
                ->instantiateViewControllerWithIdentifier(LeftViewController::storyboardIdentifier));
        show(controller);
        return controller;
    }

    static std::string rowText(LeftViewController& controller, int section, int row) {
        auto cell = controller.tableViewCellForRowAtIndexPath(
            controller.tableView(), NSIndexPath::indexPathForRowInSection(row, section));
        return cell->textLabel()->text();
    }

    // The header's text, or its height when it has none.
    static std::string headerText(LeftViewController& controller, int section) {
        auto header = controller.tableViewViewForHeaderInSection(controller.tableView(), section);
        if (header->subviews().empty())
            return "<height " + std::to_string(static_cast<int>(header->frame().height())) + ">";
        auto label = std::dynamic_pointer_cast<UILabel>(header->subviews().front());
        return label ? label->text() : "<no label>";
    }
};

class ConnectivityCheckTest : public AppTest {
  protected:
    LocalHttpServer server;
};

} // namespace

TEST_F(SideMenuTable, AppNamesFollowTheDeviceLanguageThenEnglish) {
    Locale::setCurrentLanguageOverride("fr");
    auto controller =
        menu({catalogueApp({{"en", "Dice"}, {"fr", "Dés"}}, true),
              catalogueApp({{"en", "Coins"}}, std::nullopt), catalogueApp({{"de", "Karten"}}, std::nullopt)});
    EXPECT_EQ(rowText(*controller, 2, 0), "Dés");
    EXPECT_EQ(rowText(*controller, 3, 0), "Coins");
    EXPECT_EQ(rowText(*controller, 3, 1), "");
}

TEST_F(SideMenuTable, AStoreLinkThatIsNoURLBringsTheAlertOfAPageThatCannotOpen) {
    std::vector<std::string> opened;
    UIApplication::sharedApplication()->setLinkOpener([&opened](const std::string& link) {
        opened.push_back(link);
        return true;
    });
    auto broken = catalogueApp({{"en", "Broken"}}, std::nullopt);
    broken.storeURLPro = "https://store.example/broken app";
    auto working = catalogueApp({{"en", "Working"}}, true);
    working.storeURLPro = "https://store.example/working";
    auto controller = menu({working, broken});
    auto select = [&](int section) {
        controller->tableViewDidSelectRowAtIndexPath(controller->tableView(),
                                                     NSIndexPath::indexPathForRowInSection(0, section));
        settle();
    };
    select(3);
    auto alert = std::dynamic_pointer_cast<UIAlertController>(controller->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->alertTitle(), "The page could not be opened.");
    EXPECT_TRUE(opened.empty());

    alert->buttonForAction(alert->actions().at(0).get())
        ->sendActionsForControlEvents(UIControlEventTouchUpInside);
    finishAnimations();
    select(2);
    EXPECT_EQ(opened, std::vector<std::string>{"https://store.example/working"});
    EXPECT_EQ(controller->presentedViewController(), nullptr);
}

TEST_F(ConnectivityCheckTest, RunsOneAtATimeAndGivesUpAfterFifteenSecondsOfTheRunLoopsClock) {
    auto presenter = std::make_shared<UIViewController>();
    show(presenter);
    auto check = std::make_shared<ConnectivityCheck>(server.url("/probe"));
    int opened = 0;
    int failures = 0;
    auto tapThreeTimes = [&] {
        for (int tap = 0; tap < 3; ++tap)
            check->check([&] { ++opened; }, [&] { ++failures; }, presenter);
    };
    tapThreeTimes();
    ASSERT_TRUE(runMainLoopUntil([&] { return opened > 0; }));
    EXPECT_FALSE(check->isRunning());

    // A server that never answers: nothing on screen until the time is up, then the alert.
    server.holdRequests();
    tapThreeTimes();
    ASSERT_TRUE(runMainLoopUntil([&] { return server.requestCount() >= 2; }));
    clock->advance(ConnectivityCheck::answerTimeLimit - 0.01);
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
    clock->advance(0.01);
    auto alert = std::dynamic_pointer_cast<UIAlertController>(presenter->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->alertTitle(), "No internet");
    EXPECT_FALSE(check->isRunning());
    EXPECT_EQ(server.requestCount(), 2) << "one request for each three taps";
    EXPECT_EQ(opened, 1) << "the page opened once";

    alert->buttonForAction(alert->actions().at(0).get())
        ->sendActionsForControlEvents(UIControlEventTouchUpInside);
    finishAnimations();
    EXPECT_EQ(failures, 1);
}

TEST_F(SideMenuTable, AppSectionsAppearOnlyWhenBothKindsAreListed) {
    auto onlyMulti = menu({catalogueApp({{"en", "Multi"}}, true)});
    EXPECT_EQ(onlyMulti->numberOfSectionsInTableView(onlyMulti->tableView()), 2);
    EXPECT_EQ(rowText(*onlyMulti, 0, 1), "History");
    EXPECT_EQ(rowText(*onlyMulti, 1, 0), "Join us on Discord");

    auto both = menu({catalogueApp({{"en", "Multi"}}, true), catalogueApp({{"en", "Single"}}, std::nullopt),
                      catalogueApp({{"en", "Hidden"}}, false)});
    EXPECT_EQ(both->numberOfSectionsInTableView(both->tableView()), 4);
    EXPECT_EQ(both->tableViewNumberOfRowsInSection(both->tableView(), 3), 2);
    EXPECT_EQ(headerText(*both, 0), "<height 0>");
    EXPECT_EQ(headerText(*both, 1), " Visit us:");
    EXPECT_EQ(headerText(*both, 2), " All in one:");
    EXPECT_EQ(headerText(*both, 3), " Other apps:");
}
