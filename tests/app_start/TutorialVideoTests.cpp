#include "AppRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// As an earlier run would have activated it.
const std::string videoCatalogue = R"({"OB":{
    "de":["https://www.youtube.com/watch?v=DEvideo0001&t=42s"],
    "en":["https://www.youtube.com/watch?v=ENvideo0001","https://youtu.be/short12345","https://youtu.be/ENvideo0002"],
    "fr":["https://www.youtube.com/watch?v=FRvideo0001"]},
  "XY":{"de":["https://www.youtube.com/watch?v=XYvideo0001"]}})";

} // namespace

TEST(TutorialVideoTest, GermanLinksComeFirstThenEnglishOnesBehindALockUntilConsent) {
    IntroducedHome home;
    writeActiveRemoteConfig(home.path(), {{"videoTutorials", videoCatalogue}});
    AppRun app(home.path(), {{"LANGUAGE", "de"}});
    ASSERT_TRUE(app.isReady());
    // The example reopened from the history and calculated: the result page with its video row.
    app.openMenu("History");
    auto rows = app.viewsOfClass("HistoryTableViewCell");
    ASSERT_EQ(rows.size(), 1u);
    app.tapAt(rows[0].frame.center());
    ASSERT_TRUE(app.tap("calculateButton"));
    auto table = app.find("solutionTable");
    ASSERT_TRUE(table);
    app.scroll(*table, 0, 20000);
    app.advance(1);
    ASSERT_TRUE(app.shows("Recommended video if unclear"));
    auto lock = app.find("Touch to unlock");
    ASSERT_TRUE(lock);

    // A tap on the videos reaches the lock, which asks for the video host's consent.
    ASSERT_TRUE(app.tapAt(lock->frame.center()));
    EXPECT_TRUE(app.links().empty());
    ASSERT_TRUE(app.shows("YouTube Privacy Policy"));
    ASSERT_TRUE(app.tap("Accept"));
    EXPECT_EQ(readDefaults(home.path())["isYoutubeDsgvoAccepted"].boolValue(), std::optional<bool>(true));
    // Then the introduction to the videos.
    ASSERT_TRUE(app.shows("Short tutorial videos explain the topic of your calculation."));
    for (int page = 0; page < 4; ++page) {
        ASSERT_TRUE(app.tap("Next"));
    }
    ASSERT_TRUE(app.tap("Let's start"));
    EXPECT_FALSE(app.shows("Touch to unlock"));

    // Four links: the German one, then the three English ones, one of which names no video.
    std::vector<std::string> opened;
    auto collection = app.find("videoCollection");
    ASSERT_TRUE(collection);
    for (int item = 0; item < 4 && opened.size() < 3; ++item) {
        for (const auto& player : app.viewsOfClass("YTPlayerView")) {
            if (player.frame.minX() >= collection->frame.minX() - 1 && player.frame.width() > 40) {
                app.tapAt(player.frame.center());
                break;
            }
        }
        for (const auto& link : app.links()) {
            if (std::find(opened.begin(), opened.end(), link) == opened.end()) {
                opened.push_back(link);
            }
        }
        app.scroll(*collection, collection->frame.height(), 0);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.youtube.com/watch?v=DEvideo0001&t=42s",
                                                "https://www.youtube.com/watch?v=ENvideo0001",
                                                "https://www.youtube.com/watch?v=ENvideo0002"}));

    // Withdrawing the consent locks the row again.
    ASSERT_TRUE(app.tap("videoPrivacyButton"));
    ASSERT_TRUE(app.tap("Decline"));
    EXPECT_TRUE(app.shows("Touch to unlock"));
    EXPECT_EQ(readDefaults(home.path())["isYoutubeDsgvoAccepted"].boolValue(), std::optional<bool>(false));
}
