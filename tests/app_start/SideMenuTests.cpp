#include "AppRun.h"

#include "tests/support/LocalHttpServer.h"

#include <gtest/gtest.h>

namespace {

// Remote configuration as the endpoint serves it: the catalogue as an object under "apps".
std::string remoteCatalogue() {
    return R"({"apps":{"apps":[)" + appRecord("com.ombrel.app", "Ombrel", "ombrel", "") + "," +
           appRecord("org.remote.suite", "Remote Suite", "suite", R"("isMultiApp":true,)") + "," +
           appRecord("org.remote.dice", "Remote Dice", "dice", R"("isMultiApp":false,)") + "," +
           appRecord("org.remote.coins", "Remote Coins", "coins", "") + "]}}";
}

class SideMenuTest : public testing::Test {
  protected:
    IntroducedHome home;
    LocalHttpServer server;
    std::map<std::string, std::string> remote() const { return {{"OMBREL_REMOTE_CONFIG_URL", server.url()}}; }
};

} // namespace

TEST_F(SideMenuTest, ListsTheAppsOfTheRemoteCatalogueAndOpensTheirStorePages) {
    server.respond(200, remoteCatalogue());
    AppRun app(home.path(), remote());
    ASSERT_TRUE(app.isReady());
    app.tap("menuButton");
    ASSERT_TRUE(app.waitUntil([&] { return app.shows("Remote Suite"); }));
    EXPECT_EQ(server.requestCount(), 1);
    for (const char* row :
         {"Stochastics", "History", "Introduction", "Privacy Policy", " Visit us:", "Join us on Discord",
          "Rate this App", " All in one:", "Remote Suite", " Other apps:", "Remote Dice", "Remote Coins"}) {
        EXPECT_TRUE(app.shows(row)) << row;
    }
    // The bundled catalogue is not mixed in, and the app does not list itself.
    EXPECT_FALSE(app.shows("Kivo Fractions"));
    EXPECT_LT(app.find("Remote Suite")->frame.minY(), app.find(" Other apps:")->frame.minY());
    EXPECT_LT(app.find("Remote Dice")->frame.minY(), app.find("Remote Coins")->frame.minY());

    ASSERT_TRUE(app.tap("Remote Dice"));
    // Its own links have a scheme no program here can open: the store page is opened instead.
    EXPECT_EQ(app.links(), std::vector<std::string>{"https://remote.example.org/dice-pro"});
    // "Tapped App Link" is logged, but the analytics library refuses event names with blanks.
    EXPECT_TRUE(app.events("Tapped App Link").empty());
    app.quit();

    // The activated catalogue is kept on disk: the next run shows it before any fetch.
    AppRun offline(home.path());
    ASSERT_TRUE(offline.isReady());
    offline.tap("menuButton");
    EXPECT_TRUE(offline.shows("Remote Suite"));
    EXPECT_TRUE(offline.shows("Remote Coins"));
}

TEST_F(SideMenuTest, FallsBackToTheBundledCatalogueWhenTheServerHoldsNone) {
    server.respond(200, remoteCatalogue());
    {
        AppRun first(home.path(), remote());
        ASSERT_TRUE(first.isReady());
        ASSERT_TRUE(first.waitUntil([&] { return server.requestCount() == 1; }));
    }
    server.respond(200, "{}");
    AppRun app(home.path(), remote());
    ASSERT_TRUE(app.isReady());
    app.tap("menuButton");
    // The catalogue activated last time gives way once the fetch finds none.
    ASSERT_TRUE(app.waitUntil([&] { return app.shows("Kivo Fractions"); }));
    EXPECT_FALSE(app.shows("Remote Suite"));
    for (const char* row : {" All in one:", "Kivo All in One", " Other apps:", "Kivo Fractions",
                            "Kivo Geometry", "Kivo Percentages"}) {
        EXPECT_TRUE(app.shows(row)) << row;
    }
    EXPECT_FALSE(app.shows("Kivo Beta")) << "an app that should not show";
}

TEST_F(SideMenuTest, AReturnToTheForegroundRefreshesTheCatalogueButAFailedServerGetsAMinutesRest) {
    server.respond(500, "");
    AppRun app(home.path(), remote());
    ASSERT_TRUE(app.isReady());
    ASSERT_TRUE(app.waitUntil([&] { return server.requestCount() == 1; }));
    server.respond(200, remoteCatalogue());
    app.tap("menuButton");
    // Focus lost and back within the minute after the failure: the server is not asked.
    EXPECT_TRUE(app.ok("window unfocus") && app.ok("window focus"));
    app.advance(60);
    // Hidden and shown again after it: the open menu shows the fresh catalogue.
    EXPECT_TRUE(app.ok("window hide") && app.ok("window show"));
    ASSERT_TRUE(app.waitUntil([&] { return app.shows("Remote Suite"); }));
    // Within six hours of a success, returning asks nothing either.
    app.advance(3600);
    EXPECT_TRUE(app.ok("window hide") && app.ok("window show"));
    app.advance(1);
    EXPECT_EQ(server.requestCount(), 2);
}

TEST_F(SideMenuTest, CommunityRowNeedsTheNetworkAndOpensItsLinkOnline) {
    // The check reads no more than 64 KiB of an answer: one that breaks off after that still counts.
    server.respondWith("HTTP/1.1 200 OK\r\nContent-Length: 1000000000\r\n\r\n" + std::string(65 * 1024, 'x'));
    const std::map<std::string, std::string> online{{"OMBREL_CONNECTIVITY_URL", server.url()}};
    auto noOpener = online;
    noOpener["OMBREL_LINK_OPENER"] = (home.path() / "missing-opener").string();
    // Offline; online; online, but no program to open the link with: the user is told.
    const std::vector<std::pair<std::map<std::string, std::string>, std::string>> runs{
        {{}, "No internet"}, {online, ""}, {noOpener, "The page could not be opened."}};
    for (const auto& [environment, alert] : runs) {
        AppRun app(home.path(), environment);
        ASSERT_TRUE(app.isReady());
        ASSERT_TRUE(app.openMenu("Join us on Discord"));
        if (alert.empty()) {
            ASSERT_TRUE(app.waitUntil([&] { return !app.links().empty(); }));
            EXPECT_EQ(app.links(), std::vector<std::string>{"https://discord.gg/ombrel"});
        } else {
            ASSERT_TRUE(app.waitUntil([&, alert = alert] { return app.shows(alert); })) << alert;
            EXPECT_EQ(app.events("tapped_discord").size(), 1u);
            EXPECT_TRUE(app.links().empty());
        }
    }
}
