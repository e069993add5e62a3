#include "AppRun.h"
#include "tests/support/XvfbDisplay.h"

#include "platform/graphics/UIImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        xvfb = XvfbDisplay::start();
        if (!xvfb) {
            GTEST_SKIP() << "Xvfb and xdotool are needed for the window test";
        }
        app = std::make_unique<AppRun>(home.path(),
                                       std::map<std::string, std::string>{{"DISPLAY", xvfb->name()}},
                                       std::vector<std::string>{"--automation"});
        ASSERT_TRUE(app->isReady());
        auto scaleText = AutomationClient::payload(app->send("scale"));
        ASSERT_TRUE(scaleText);
        scale = std::stod(*scaleText);
        auto found = xvfb->findWindow("Ombrel");
        ASSERT_TRUE(found);
        window = *found;
    }

    // A click with the real pointer on the view showing the text.
    void clickOn(const std::string& text) {
        auto view = app->find(text);
        ASSERT_TRUE(view) << text;
        clickAt(view->frame.center());
    }
    void clickAt(CGPoint point) {
        ASSERT_TRUE(xvfb->click(window, static_cast<int>(std::lround(point.x * scale)),
                                static_cast<int>(std::lround(point.y * scale))));
    }

    IntroducedHome home;
    std::unique_ptr<XvfbDisplay> xvfb;
    std::unique_ptr<AppRun> app;
    double scale = 1;
    unsigned long window = 0;
};

// Mean difference per colour channel (0-255) between the screen and the app's own drawing.
double meanDifference(const XvfbDisplay::Pixels& screen, const UIImage& drawn) {
    double total = 0;
    long count = 0;
    int width = std::min<int>(screen.width, static_cast<int>(drawn.size().width * drawn.scale()));
    int height = std::min<int>(screen.height, static_cast<int>(drawn.size().height * drawn.scale()));
    for (int y = 0; y < height; y += 3) {
        for (int x = 0; x < width; x += 3) {
            auto colour = drawn.colorAtPoint({(x + 0.5) / drawn.scale(), (y + 0.5) / drawn.scale()});
            unsigned shown = screen.at(x, y);
            total += std::abs(colour->red * 255 - ((shown >> 16) & 0xFF)) +
                     std::abs(colour->green * 255 - ((shown >> 8) & 0xFF)) +
                     std::abs(colour->blue * 255 - (shown & 0xFF));
            count += 3;
        }
    }
    return count ? total / count : 255;
}

} // namespace

TEST_F(WindowTest, ClickingThroughTheExampleShowsItsSolutionAndWindowChangesMoveTheLifeCycle) {
    // The phone's screen, scaled to fit the desktop.
    auto shown = xvfb->capture(window);
    ASSERT_TRUE(shown);
    EXPECT_NEAR(shown->width, 390 * scale, 1);
    EXPECT_NEAR(shown->height, 844 * scale, 1);
    EXPECT_LT(844 * scale, 1024);

    clickOn("menuButton");
    ASSERT_TRUE(app->waitUntil([&] { return app->shows("Introduction"); }));
    clickOn("History");
    ASSERT_TRUE(app->waitUntil(
        [&] { return !app->viewsOfClass("HistoryTableViewCell").empty() && !app->shows("Introduction"); }));
    clickAt(app->viewsOfClass("HistoryTableViewCell").front().frame.center());
    ASSERT_TRUE(app->waitUntil([&] { return app->fieldTexts("event").size() >= 4; }));
    EXPECT_EQ(app->fieldTexts("event").front(), "4");
    clickOn("calculateButton");
    ASSERT_TRUE(app->waitUntil([&] { return app->shows("Expected value"); }));

    // Once the page has settled, the screen shows what the app draws.
    std::string path = (home.path() / "drawn.png").string();
    EXPECT_TRUE(app->waitUntil([&] {
        shown = xvfb->capture(window);
        auto drawn = app->ok("screenshot " + path + " " + std::to_string(scale))
                         ? UIImage::imageWithContentsOfFile(path)
                         : nullptr;
        return shown && drawn && meanDifference(*shown, *drawn) < 4.0;
    }));
    ASSERT_TRUE(shown);
    // The toolbar is the palette's violet (0.33, 0.29, 0.68) and the result page is selected.
    unsigned toolbar = shown->at(static_cast<int>(200 * scale), static_cast<int>(60 * scale));
    EXPECT_NEAR((toolbar >> 16) & 0xFF, 84, 6);
    EXPECT_NEAR((toolbar >> 8) & 0xFF, 74, 6);
    EXPECT_NEAR(toolbar & 0xFF, 173, 6);
    auto result = app->find("Result");
    ASSERT_TRUE(result);
    EXPECT_FALSE(app->shows("Fill in your given numbers:"));

    // The wheel scrolls the solution.
    auto before = app->find("Expected value");
    ASSERT_TRUE(before);
    auto table = app->find("solutionTable");
    ASSERT_TRUE(table);
    ASSERT_TRUE(xvfb->wheel(window, static_cast<int>(table->frame.midX() * scale),
                            static_cast<int>(table->frame.midY() * scale), 3));
    ASSERT_TRUE(app->waitUntil([&] {
        auto after = app->find("Expected value");
        return !after || after->frame.minY() < before->frame.minY() - 50;
    }));

    // A drag from the left edge opens the side menu.
    EXPECT_FALSE(app->shows("Introduction"));
    ASSERT_TRUE(xvfb->drag(window, 2, static_cast<int>(400 * scale), static_cast<int>(220 * scale),
                           static_cast<int>(400 * scale)));
    ASSERT_TRUE(app->waitUntil([&] { return app->shows("Introduction"); }));

    auto lifecycle = [&] { return AutomationClient::payload(app->send("lifecycle")).value_or(""); };
    // Each step is one quoted name in the list.
    auto steps = [&] { return static_cast<std::size_t>(std::ranges::count(lifecycle(), '"') / 2); };
    // The desktop has no window manager: xdotool does what one would. After each change, the number
    // of life-cycle steps the app has taken so far.
    const std::string id = std::to_string(window);
    const std::vector<std::pair<std::vector<std::string>, std::size_t>> changes{
        {{"windowunmap", id}, 3},
        {{"windowmap", id}, 4},
        {{"windowfocus", id}, 5},
        {{"windowfocus", std::to_string(xvfb->rootWindow())}, 6},
        {{"windowfocus", id}, 7}};
    for (const auto& [command, count] : changes) {
        ASSERT_TRUE(xvfb->xdotool(command));
        EXPECT_TRUE(app->waitUntil([&, count = count] { return steps() >= count; })) << command[0];
    }
    EXPECT_EQ(lifecycle(),
              "[\"UIApplicationDidBecomeActiveNotification\",\"UIApplicationWillResignActiveNotification\","
              "\"UIApplicationDidEnterBackgroundNotification\","
              "\"UIApplicationWillEnterForegroundNotification\","
              "\"UIApplicationDidBecomeActiveNotification\",\"UIApplicationWillResignActiveNotification\","
              "\"UIApplicationDidBecomeActiveNotification\"]");

    // Closing the window ends the app.
    ASSERT_TRUE(xvfb->close(window));
    EXPECT_EQ(app->waitForExit(20), std::optional<int>(0));
}
