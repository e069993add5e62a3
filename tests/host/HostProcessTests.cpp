#include "HostTestSupport.h"

#include "platform/foundation/FileSystem.h"
#include "platform/graphics/UIImage.h"
#include "platform/host/AutomationChannel.h"
#include "platform/host/AutomationClient.h"
#include "tests/support/Pixels.h"
#include "tests/support/XvfbDisplay.h"

#include <signal.h>

#include <chrono>
#include <thread>

namespace {

class HostProcessTest : public ::testing::Test {
  protected:
    std::unique_ptr<AutomationClient> launch(std::vector<std::string> arguments = {"--offscreen",
                                                                                   "--automation"},
                                             std::map<std::string, std::string> environment = {}) {
        environment["OMBREL_HOME"] = home.path().string();
        environment["OMBREL_QUIET"] = "1";
        return AutomationClient::start(HOST_TEST_APP, arguments, environment);
    }

    std::shared_ptr<UIImage> screenshot(AutomationClient& app) {
        const auto path = (home.path() / "window.png").string();
        EXPECT_EQ(app.send("screenshot " + path), std::optional<std::string>("ok"));
        return UIImage::imageWithContentsOfFile(path);
    }

    TemporaryFolder home;
};

} // namespace

TEST_F(HostProcessTest, LaunchesTheDelegateAndAnswersCommandsUntilQuit) {
    auto app = launch();
    ASSERT_NE(app, nullptr);
    ASSERT_EQ(app->readLine(20), std::optional<std::string>("ready"));
    EXPECT_TRUE(app->send("find Hello").value_or("").starts_with("ok"));
    // The blue button at (20, 300, 350, 60), its left part free of the title, on the light background.
    const auto light = screenshot(*app);
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->size(), (CGSize{390, 844}));
    EXPECT_TRUE(pixels::near(pixels::at(*light, 30, 305), {0, 0, 1, 1}, 0.1));
    EXPECT_GT(pixels::at(*light, 5, 600).red, 0.5);

    auto rss = AutomationClient::payload(app->send("rss"));
    ASSERT_TRUE(rss);
    EXPECT_GT(std::stol(*rss), 1000);

    // The desktop's changes to the window move the life cycle, each step once and in order.
    for (const char* change : {"unfocus", "unfocus", "hide", "show", "focus", "hide", "focus", "show"}) {
        EXPECT_EQ(app->send(std::string("window ") + change), std::optional<std::string>("ok")) << change;
    }
    EXPECT_EQ(app->send("window close"), "error window needs focus, unfocus, hide or show");
    // A line may hold 1 MiB; a longer one is not run (this one would end the app).
    const std::size_t longest = AutomationChannel::maximumLineLength;
    EXPECT_EQ(app->send("idle " + std::string(longest - 5, 'x')), std::optional<std::string>("ok"));
    EXPECT_EQ(app->send("quit " + std::string(longest - 4, 'x')),
              std::optional<std::string>("error the line is longer than 1048576 bytes"));
    EXPECT_EQ(
        AutomationClient::payload(app->send("lifecycle")),
        "[\"UIApplicationDidBecomeActiveNotification\",\"UIApplicationWillResignActiveNotification\","
        "\"UIApplicationDidEnterBackgroundNotification\",\"UIApplicationWillEnterForegroundNotification\","
        "\"UIApplicationDidBecomeActiveNotification\",\"UIApplicationWillResignActiveNotification\","
        "\"UIApplicationDidEnterBackgroundNotification\",\"UIApplicationWillEnterForegroundNotification\","
        "\"UIApplicationDidBecomeActiveNotification\"]");

    EXPECT_EQ(app->send("quit"), std::optional<std::string>("ok"));
    EXPECT_EQ(app->waitForExit(20), std::optional<int>(0));
}

TEST_F(HostProcessTest, ADarkLaunchAnswersCommandsInOrderOnTheManualClock) {
    // A display SDL can only serve with a driver of its own that shows nothing: the offscreen host
    // runs instead (its scale is the screen's, 3).
    auto app = launch({"--automation", "--manual-clock", "--dark"},
                      {{"DISPLAY", ":93"}, {"SDL_VIDEODRIVER", "offscreen"}});
    ASSERT_NE(app, nullptr);
    ASSERT_EQ(app->readLine(20), std::optional<std::string>("ready"));
    const auto dark = screenshot(*app);
    ASSERT_NE(dark, nullptr);
    EXPECT_LT(pixels::at(*dark, 5, 600).red, 0.5);

    // Sent all at once: each answer must belong to its own command, and the tap's effect must be
    // seen by the commands after it.
    for (const char* command : {"tap-text Press", "find Pressed", "links", "nonsense", "scale"}) {
        ASSERT_TRUE(app->post(command));
    }
    EXPECT_EQ(app->readLine(20), std::optional<std::string>("ok"));
    EXPECT_TRUE(app->readLine(20).value_or("").starts_with("ok {\"class\":\"UILabel\""));
    EXPECT_EQ(app->readLine(20), std::optional<std::string>("ok [\"https://example.org/pressed\"]"));
    EXPECT_EQ(app->readLine(20), std::optional<std::string>("error unknown command \"nonsense\""));
    EXPECT_EQ(app->readLine(20), std::optional<std::string>("ok 3.0"));

    // The manual clock moves only when advanced.
    EXPECT_FALSE(app->send("find Later")->starts_with("ok"));
    EXPECT_EQ(app->send("advance 1.9"), std::optional<std::string>("ok"));
    EXPECT_FALSE(app->send("find Later")->starts_with("ok"));
    EXPECT_EQ(app->send("advance 0.1"), std::optional<std::string>("ok"));
    EXPECT_TRUE(app->send("find Later")->starts_with("ok"));
}

TEST_F(HostProcessTest, ADisplayWithoutServerLeavesOnlyTheOffscreenNotice) {
    // Only DISPLAY names a display, and no X server answers there: SDL must not go on to Wayland,
    // whose library complains about the missing runtime folder.
    const std::string notice = "No display: Ombrel runs offscreen; Ctrl-C ends it.\n";
    const auto errors = home.path() / "stderr.txt";
    auto app = AutomationClient::start(HOST_TEST_APP, {},
                                       {{"OMBREL_HOME", home.path().string()},
                                        {"OMBREL_QUIET", ""},
                                        {"DISPLAY", ":77"},
                                        {"WAYLAND_DISPLAY", ""},
                                        {"XDG_RUNTIME_DIR", ""},
                                        {"SDL_VIDEODRIVER", ""},
                                        // The sanitizer build's leak check lists its suppressions there.
                                        {"LSAN_OPTIONS", "print_suppressions=0"}},
                                       errors);
    ASSERT_NE(app, nullptr);
    // The notice comes once the host is chosen; Ctrl-C is taken from then on.
    auto written = [&] {
        auto text = FileSystem::readFile(errors);
        return text ? *text : std::string();
    };
    for (int tries = 0; tries < 2000 && written().find(notice) == std::string::npos; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(app->pid(), SIGINT);
    EXPECT_EQ(app->waitForExit(20), std::optional<int>(0));
    EXPECT_EQ(written(), notice);
}

TEST_F(HostProcessTest, EveryWayOfEndingExitsWithStatusZeroManyTimesOver) {
    // The command reader, the signal thread and the window must all be done before the process's
    // statics go, however the end comes and whatever it races with.
    enum class Way { quit, quitThenCloseInput, closeInput, interrupt, terminate, closeWindow };
    auto xvfb = XvfbDisplay::start();
    std::vector<Way> ways{Way::quit, Way::quitThenCloseInput, Way::closeInput, Way::interrupt,
                          Way::terminate};
    if (xvfb) {
        ways.push_back(Way::closeWindow);
    }
    for (int round = 0; round < 20; ++round) {
        // One app for each way at the same time, each in its own home.
        std::vector<TemporaryFolder> homes(ways.size());
        std::vector<std::unique_ptr<AutomationClient>> apps;
        for (std::size_t i = 0; i < ways.size(); ++i) {
            std::map<std::string, std::string> environment{{"OMBREL_HOME", homes[i].path().string()},
                                                           {"OMBREL_QUIET", "1"}};
            std::vector<std::string> arguments{"--automation"};
            if (ways[i] == Way::closeWindow) {
                environment["DISPLAY"] = xvfb->name();
            } else {
                arguments.push_back("--offscreen");
            }
            apps.push_back(AutomationClient::start(HOST_TEST_APP, arguments, environment));
            ASSERT_NE(apps.back(), nullptr);
        }
        for (std::size_t i = 0; i < ways.size(); ++i) {
            AutomationClient& app = *apps[i];
            ASSERT_EQ(app.readLine(20), std::optional<std::string>("ready"));
            switch (ways[i]) {
            case Way::quit:
            case Way::quitThenCloseInput:
                EXPECT_EQ(app.send("quit"), std::optional<std::string>("ok"));
                if (ways[i] == Way::quitThenCloseInput) {
                    app.closeInput();
                }
                break;
            case Way::closeInput:
                app.closeInput();
                break;
            case Way::interrupt:
                kill(app.pid(), SIGINT);
                break;
            case Way::terminate:
                kill(app.pid(), SIGTERM);
                break;
            case Way::closeWindow: {
                auto window = xvfb->findWindow("Ombrel");
                ASSERT_TRUE(window);
                ASSERT_TRUE(xvfb->close(*window));
                break;
            }
            }
        }
        for (std::size_t i = 0; i < ways.size(); ++i) {
            EXPECT_EQ(apps[i]->waitForExit(30), std::optional<int>(0)) << "way " << static_cast<int>(ways[i]);
            EXPECT_TRUE(std::filesystem::exists(homes[i].path() / "terminated"))
                << "the delegate hears the end";
        }
    }
}

TEST_F(HostProcessTest, AnUnknownDelegateClassEndsTheProcessWithStatusOne) {
    auto app = launch({"--offscreen", "--automation"}, {{"HOST_TEST_DELEGATE", "NoSuchDelegate"}});
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->readLine(20), std::nullopt);
    EXPECT_EQ(app->waitForExit(20), std::optional<int>(1));
}
