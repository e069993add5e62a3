#include "app/LeftViewController.h"
#include "app/RemoteConfigManager.h"
#include "platform/foundation/Locale.h"
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

    // The header's text, or its height when it has none.
    static std::string headerText(LeftViewController& controller, int section) {
        auto header = controller.tableViewViewForHeaderInSection(controller.tableView(), section);
        if (header->subviews().empty())
            return "<height " + std::to_string(static_cast<int>(header->frame().height())) + ">";
        auto label = std::dynamic_pointer_cast<UILabel>(header->subviews().front());
        return label ? label->text() : "<no label>";
    }
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
