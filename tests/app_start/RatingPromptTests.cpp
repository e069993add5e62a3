#include "AppRun.h"

#include "tests/support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Star n (from 1) of the prompt's star row: 36-point stars 8 points apart.
CGPoint star(const AppView& stars, int n) {
    return {stars.frame.minX() + (n - 1) * 44.0 + 18, stars.frame.midY()};
}

std::optional<std::int64_t> counter(const std::filesystem::path& home) {
    return readDefaults(home)["counterForRating"].integerValue();
}

} // namespace

TEST(RatingPromptTest, ComesAtTheFifthInputScreenAndThanksForThreeStarsNotForNone) {
    IntroducedHome home;
    for (std::int64_t launch = 1; launch <= 4; ++launch) {
        AppRun app(home.path());
        ASSERT_TRUE(app.isReady());
        app.advance(2);
        EXPECT_FALSE(app.shows("Rate")) << "launch " << launch;
        EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(5 - launch));
    }

    AppRun fifth(home.path());
    ASSERT_TRUE(fifth.isReady());
    fifth.advance(1);
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(0));
    ASSERT_TRUE(fifth.shows("Rate"));
    // Send waits for a star.
    ASSERT_TRUE(fifth.tap("Send"));
    EXPECT_TRUE(fifth.shows("Rate"));
    EXPECT_TRUE(fifth.events("tapped_rated_app").empty());
    auto stars = fifth.find("ratingStars");
    ASSERT_TRUE(stars);
    ASSERT_TRUE(fifth.tapAt(star(*stars, 3)));
    ASSERT_TRUE(fifth.tap("Send"));
    EXPECT_FALSE(fifth.shows("Rate"));
    EXPECT_TRUE(fifth.shows("Thanks"));
    EXPECT_EQ(readDefaults(home.path())["isRatingAlreadyDone"].boolValue(), std::optional<bool>(true));
    auto sent = fifth.events("tapped_rated_app");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].parameters["rating"].doubleValue(), std::optional<double>(3.0));
    EXPECT_EQ(sent[0].parameters["app"].stringValue(), std::optional<std::string>("zq"));
    // A low rating never leads to the rating page.
    EXPECT_TRUE(fifth.links().empty());
    ASSERT_TRUE(fifth.tap("Close"));
    EXPECT_FALSE(fifth.shows("Thanks"));
    fifth.quit();

    AppRun later(home.path());
    ASSERT_TRUE(later.isReady());
    later.advance(2);
    EXPECT_FALSE(later.shows("Rate"));
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(0));
}

// A good rating, and the menu's "Rate this App" after it, thank the user only when the rating page
// was opened; otherwise the countdown starts again.
TEST(RatingPromptTest, GoodRatingsEndOnlyWithAnOpenedRatingPage) {
    const std::string unavailable = "The rating page could not be opened.";
    const std::string ratingPage = "https://kivo.example.com/apps/ombrel-pro/rate";
    struct Case {
        const char* name;
        int stars;
        bool online;
        // The activated remote catalogue; none: the bundled one, which names the rating page.
        std::optional<std::string> apps;
        std::string alert;
        std::string button;
        bool done;
        // A program that cannot be started opens the links instead of the test's recorder.
        bool openerMissing = false;
    };
    const Case cases[] = {
        {"opened", 4, true, std::nullopt, "Thanks", "Close", true},
        {"no record", 5, true, appRecord("org.remote.dice", "Remote Dice", "dice", ""), unavailable, "OK",
         false},
        {"link that cannot be opened", 5, true,
         appRecord("com.ombrel.app", "Ombrel", "ombrel", "", "itms-apps"), unavailable, "OK", false},
        {"check fails", 5, false, std::nullopt, "No internet", "OK", false},
        {"browser fails", 5, true, std::nullopt, "The page could not be opened.", "OK", false, true},
    };
    LocalHttpServer probe;
    probe.respond(204, "");
    for (const Case& outcome : cases) {
        SCOPED_TRACE(outcome.name);
        IntroducedHome home;
        writeDefaults(home.path(), {{"counterForRating", AnyValue(1)}});
        if (outcome.apps) {
            writeActiveRemoteConfig(home.path(), {{"apps", R"({"apps":[)" + *outcome.apps + "]}"}});
        }
        std::map<std::string, std::string> environment;
        if (outcome.online) {
            environment["OMBREL_CONNECTIVITY_URL"] = probe.url();
        }
        if (outcome.openerMissing) {
            environment["OMBREL_LINK_OPENER"] = (home.path() / "missing-opener").string();
        }
        AppRun app(home.path(), environment);
        ASSERT_TRUE(app.isReady());
        app.advance(1);
        ASSERT_TRUE(app.shows("Rate"));
        auto stars = app.find("ratingStars");
        ASSERT_TRUE(stars);
        app.tapAt(star(*stars, outcome.stars));
        ASSERT_TRUE(app.tap("Send"));
        ASSERT_TRUE(app.waitUntil([&] { return app.shows(outcome.alert); }));
        EXPECT_EQ(app.events("tapped_rated_app").at(0).parameters["rating"].doubleValue(),
                  std::optional<double>(outcome.stars));
        EXPECT_EQ(app.links(),
                  outcome.done ? std::vector<std::string>{ratingPage} : std::vector<std::string>{});
        ASSERT_TRUE(app.tap(outcome.button));
        EXPECT_FALSE(app.shows(outcome.alert));
        auto stored = readDefaults(home.path());
        EXPECT_EQ(stored["isRatingAlreadyDone"].boolValue(),
                  outcome.done ? std::optional<bool>(true) : std::nullopt);
        EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(outcome.done ? 0 : 5));

        ASSERT_TRUE(app.openMenu("Rate this App"));
        EXPECT_EQ(app.events("tapped_rate_app").size(), 1u);
        if (outcome.done) {
            EXPECT_TRUE(app.waitUntil([&] { return app.links().size() == 2; }));
            EXPECT_FALSE(app.shows("Thanks"));
        } else {
            EXPECT_TRUE(app.waitUntil([&] { return app.shows(outcome.alert); }));
            EXPECT_EQ(app.links().size(), 0u);
        }
    }
}

TEST(RatingPromptTest, CancelStartsTheCountdownAgain) {
    IntroducedHome home;
    writeDefaults(home.path(), {{"counterForRating", AnyValue(std::numeric_limits<std::int64_t>::min())}});
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    app.advance(1);
    // A counter below 1 (here the lowest one stored) shows the prompt at once, and counting down from it
    // never overflows.
    ASSERT_TRUE(app.shows("Rate"));
    ASSERT_TRUE(app.tap("Cancel"));
    EXPECT_FALSE(app.shows("Rate"));
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(5));
    EXPECT_EQ(app.events("tapped_rated_app_cancel").size(), 1u);
    EXPECT_FALSE(readDefaults(home.path()).count("isRatingAlreadyDone"));
}
