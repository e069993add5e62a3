#include "AppRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

const std::string welcome = "Welcome to \"Ombrel\", the stochastics solver that shows every step of the way.";
const std::string exampleLatex = "x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3;0.25;0.4;0.04;0.01]";
// The manual clock's start: 2023-11-14 22:13:20 UTC.
const double manualClockStart = 1'700'000'000.0;

} // namespace

TEST(StartupTest, FirstLaunchShowsTheIntroductionWithThePrivacyPromptAboveIt) {
    TemporaryFolder home;
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    // Presented without animation: the first frame already shows the introduction in place.
    auto card = app.find(welcome);
    ASSERT_TRUE(card);
    EXPECT_GE(card->frame.minY(), 0);
    EXPECT_LE(card->frame.maxY(), 844);

    // The privacy prompt comes one main-queue turn later, in front of the introduction.
    app.advance(1);
    auto views = app.views();
    auto indexOf = [&](const std::string& text) {
        return std::find_if(views.begin(), views.end(),
                            [&](const AppView& view) { return view.text == text; });
    };
    ASSERT_NE(indexOf(welcome), views.end());
    ASSERT_NE(indexOf("Privacy Policy"), views.end());
    EXPECT_GT(indexOf("Privacy Policy"), indexOf(welcome)) << "the prompt is in front";

    auto stored = readDefaults(home.path());
    EXPECT_EQ(stored["firstAppStartAt"].dateValue(), Date::dateWithTimeIntervalSince1970(manualClockStart));
    EXPECT_EQ(storedLatex(home.path()), std::vector<std::string>{exampleLatex});
    EXPECT_FALSE(stored.count("isDsgvoAccepted"));

    ASSERT_TRUE(app.tap("Accept"));
    EXPECT_FALSE(app.shows("Privacy Policy"));
    // Accepting closes only the prompt: the introduction it was shown on stays.
    EXPECT_TRUE(app.shows(welcome));
    EXPECT_EQ(readDefaults(home.path())["isDsgvoAccepted"].boolValue(), std::optional<bool>(true));

    for (int page = 0; page < 4; ++page) {
        ASSERT_TRUE(app.tap("Next")) << "page " << page + 1;
    }
    EXPECT_TRUE(app.shows("Open the menu for your history, this introduction and more apps."));
    ASSERT_TRUE(app.tap("Let's start"));
    EXPECT_FALSE(app.shows("Let's start"));
    EXPECT_TRUE(app.shows("Fill in your given numbers:"));
    EXPECT_EQ(readDefaults(home.path())["isOnboardingFinished"].boolValue(), std::optional<bool>(true));
    EXPECT_EQ(app.quit(), std::optional<int>(0));

    // A later run on the real clock keeps the first date.
    AppRun later(home.path(), {}, {"--offscreen", "--automation"});
    ASSERT_TRUE(later.isReady());
    EXPECT_EQ(readDefaults(home.path())["firstAppStartAt"].dateValue(),
              Date::dateWithTimeIntervalSince1970(manualClockStart));
}

// A launch with both flags set shows neither: the history tests start there and find the input screen.
TEST(StartupTest, AMissingConsentIsAskedOnTheMainScreen) {
    TemporaryFolder home;
    writeDefaults(home.path(), {{"isOnboardingFinished", AnyValue(true)}});
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    app.advance(1);
    EXPECT_FALSE(app.shows(welcome));
    ASSERT_TRUE(app.shows("Privacy Policy"));
    ASSERT_TRUE(app.tap("Accept"));
    EXPECT_TRUE(app.shows("Fill in your given numbers:"));
    EXPECT_EQ(readDefaults(home.path())["isDsgvoAccepted"].boolValue(), std::optional<bool>(true));
}

TEST(StartupTest, TheAppsDebugPrintsAreShownOnlyWhenAskedForAndNoticesAlways) {
    // An unreadable settings file brings a notice; remote values that do not decode bring debug prints.
    struct Run {
        std::map<std::string, std::string> environment;
        std::vector<std::string> arguments;
        bool debugPrints;
        bool notice;
    };
    const std::vector<Run> runs{
        {{}, {}, false, true},
        {{}, {"-VAVDebugEnabled"}, true, true},
        {{{"OMBREL_DEBUG", "1"}}, {}, true, true},
        {{{"OMBREL_DEBUG", "1"}}, {"-VAVDebugDisabled"}, false, true},
        {{{"OMBREL_DEBUG", "1"}, {"OMBREL_QUIET", "1"}}, {"-VAVDebugEnabled"}, false, false}};
    for (const auto& run : runs) {
        TemporaryFolder home;
        std::filesystem::create_directories(defaultsFile(home.path()).parent_path());
        std::ofstream(defaultsFile(home.path())) << "not a property list";
        auto environment = run.environment;
        environment.try_emplace("OMBREL_QUIET", "");
        auto arguments = run.arguments;
        arguments.insert(arguments.end(), {"--offscreen", "--automation", "--manual-clock"});
        const auto errors = home.path() / "stderr.txt";
        {
            AppRun app(home.path(), environment, arguments, errors);
            ASSERT_TRUE(app.isReady());
            EXPECT_EQ(app.quit(), std::optional<int>(0));
        }
        std::ifstream lines(errors);
        int debugPrints = 0;
        int notices = 0;
        for (std::string line; std::getline(lines, line);) {
            debugPrints += line == "The data couldn't be read because it isn't valid JSON.";
            notices += line.starts_with("warning: user defaults ") &&
                       line.find("could not be read") != std::string::npos;
        }
        EXPECT_EQ(debugPrints > 0, run.debugPrints) << testing::PrintToString(run.arguments) << debugPrints;
        EXPECT_EQ(notices, run.notice ? 1 : 0) << testing::PrintToString(run.arguments);
    }
}
