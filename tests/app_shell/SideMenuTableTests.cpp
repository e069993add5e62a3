#include "app/HistoryTableViewController.h"
#include "app/LeftViewController.h"
#include "app/RemoteConfigManager.h"
#include "engine/CalcManager.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/Locale.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIStoryboard.h"
#include "tests/app/AppTest.h"

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

    // Taps the action's button and lets the dismissal finish, after which its handler runs.
    void tapAction(UIAlertController& alert, std::size_t index) {
        alert.buttonForAction(alert.actions()[index].get())
            ->sendActionsForControlEvents(UIControlEventTouchUpInside);
        clock->advance(1.0);
        settle();
    }

    static std::string headerText(LeftViewController& controller, int section) {
        auto header = controller.tableViewViewForHeaderInSection(controller.tableView(), section);
        if (header->subviews().empty())
            return "<height " + std::to_string(static_cast<int>(header->frame().height())) + ">";
        auto label = std::dynamic_pointer_cast<UILabel>(header->subviews().front());
        return label ? label->text() : "<no label>";
    }
};

} // namespace

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

TEST_F(SideMenuTable, AppNamesFollowTheDeviceLanguageThenEnglish) {
    Locale::setCurrentLanguageOverride("fr");
    auto controller =
        menu({catalogueApp({{"en", "Dice"}, {"fr", "Dés"}}, true),
              catalogueApp({{"en", "Coins"}}, std::nullopt), catalogueApp({{"de", "Karten"}}, std::nullopt)});
    EXPECT_EQ(rowText(*controller, 2, 0), "Dés");
    EXPECT_EQ(rowText(*controller, 3, 0), "Coins");
    EXPECT_EQ(rowText(*controller, 3, 1), "");
}

TEST_F(SideMenuTable, HistoryTapOutsideTheDrawerSelectsAndCancelKeepsEverything) {
    HistoryTableViewController::defaultExampleCalculation();
    auto store = CalcManager::shared();
    ASSERT_FALSE(store->calculations().empty());
    const std::size_t count = store->calculations().size();
    auto history = std::dynamic_pointer_cast<HistoryTableViewController>(
        UIStoryboard::storyboardWithName(HistoryTableViewController::storyboardName)
            ->instantiateViewControllerWithIdentifier(HistoryTableViewController::storyboardIdentifier));
    show(history);

    history->selectHistoryItem(0);
    ASSERT_TRUE(store->currentSelectedCalculation());
    EXPECT_EQ(store->currentSelectedCalculation()->_latexString, store->calculations()[0]._latexString);
    ASSERT_EQ(eventsNamed("tapped_history_item").size(), 1u);
    const auto tapped = eventsNamed("tapped_history_item")[0].parameters;
    EXPECT_EQ(tapped.at("latex_string").stringValue(),
              std::optional<std::string>(store->calculations()[0]._latexString));
    // The facade takes no dictionary: the parameters come as their JSON text.
    auto parameters = JSONCoding::decode(tapped.at("calc_parameters").stringValue().value_or(""));
    ASSERT_TRUE(parameters);
    EXPECT_EQ(*parameters, AnyValue(store->calculations()[0].inputParameters));

    auto confirmation = [&] {
        history->handleClearAllButton();
        settle();
        auto alert = std::dynamic_pointer_cast<UIAlertController>(history->presentedViewController());
        EXPECT_TRUE(alert && alert->actions().size() == 2u);
        return alert;
    };
    auto cancelled = confirmation();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->actions()[1]->style(), UIAlertActionStyle::cancel);
    tapAction(*cancelled, 1);
    EXPECT_EQ(store->calculations().size(), count);
    EXPECT_TRUE(eventsNamed("tapped_history_clear").empty());

    auto confirmed = confirmation();
    ASSERT_TRUE(confirmed);
    tapAction(*confirmed, 0);
    EXPECT_TRUE(store->calculations().empty());
    ASSERT_EQ(eventsNamed("tapped_history_clear").size(), 1u);
    EXPECT_EQ(eventsNamed("tapped_history_clear")[0].parameters.at("calc_count").integerValue(),
              std::optional<std::int64_t>(static_cast<std::int64_t>(count)));
    store->setCurrentSelectedCalculation(std::nullopt);
}
