#include "AppRun.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

// Star n (from 1) of the prompt's star row: 36-point stars 8 points apart.
CGPoint star(const AppView& stars, int n) {
    return {stars.frame.minX() + (n - 1) * 44.0 + 18, stars.frame.midY()};
}

std::optional<std::int64_t> counter(const std::filesystem::path& home) {
    return readDefaults(home)["counterForRating"].integerValue();
}

} // namespace

TEST(RatingPromptTest, ComesAtTheFifthInputScreenAndThanksForThreeStars) {
    TemporaryFolder home;
    skipIntroduction(home.path());
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

TEST(RatingPromptTest, FiveStarsOfflineShowNoInternetAndRestartTheCountdown) {
    TemporaryFolder home;
    skipIntroduction(home.path());
    writeDefaults(home.path(), {{"counterForRating", AnyValue(1)}});
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    app.advance(1);
    ASSERT_TRUE(app.shows("Rate"));
    auto stars = app.find("ratingStars");
    ASSERT_TRUE(stars);
    app.tapAt(star(*stars, 5));
    ASSERT_TRUE(app.tap("Send"));
    ASSERT_TRUE(app.waitUntil([&] { return app.shows("No internet"); }));
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(0));
    ASSERT_TRUE(app.tap("OK"));
    EXPECT_FALSE(app.shows("No internet"));
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(5));
    EXPECT_FALSE(readDefaults(home.path()).count("isRatingAlreadyDone"));
    EXPECT_EQ(app.events("tapped_rated_app").at(0).parameters["rating"].doubleValue(),
              std::optional<double>(5.0));
    EXPECT_TRUE(app.links().empty());
}

TEST(RatingPromptTest, CancelStartsTheCountdownAgain) {
    TemporaryFolder home;
    skipIntroduction(home.path());
    writeDefaults(home.path(), {{"counterForRating", AnyValue(-3)}});
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    app.advance(1);
    // A counter left at or below zero by an earlier run shows the prompt at once.
    ASSERT_TRUE(app.shows("Rate"));
    ASSERT_TRUE(app.tap("Cancel"));
    EXPECT_FALSE(app.shows("Rate"));
    EXPECT_EQ(counter(home.path()), std::optional<std::int64_t>(5));
    EXPECT_EQ(app.events("tapped_rated_app_cancel").size(), 1u);
    EXPECT_FALSE(readDefaults(home.path()).count("isRatingAlreadyDone"));
}
