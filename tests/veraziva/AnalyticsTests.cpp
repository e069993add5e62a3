#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/ManualClock.h"
#include "platform/veraziva/APMMonitor.h"
#include "platform/veraziva/VAVAnalytics.h"
#include "platform/veraziva/VAVApp.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool isError(const APMMonitorLine& line) {
    return line.level >= 0 && line.level <= 2;
}
bool isWarning(const APMMonitorLine& line) {
    return line.level >= 3 && line.level <= 5;
}

class AnalyticsTest : public testing::Test {
  protected:
    void SetUp() override {
        VAVApp::resetDefaultApp();
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        monitorToken = APMMonitor::sharedInstance()->addListener(
            [this](const APMMonitorLine& line) { lines.push_back(line); });
        eventToken =
            VAVAnalytics::addEventListener([this](const APMEvent& event) { events.push_back(event); });
    }

    void TearDown() override {
        APMMonitor::sharedInstance()->removeListener(monitorToken);
        VAVAnalytics::removeEventListener(eventToken);
        VAVApp::resetDefaultApp();
        Bundle::setMainBundlePath({});
        Clock::setCurrent(nullptr);
    }

    std::vector<APMMonitorLine> linesWhere(bool (*test)(const APMMonitorLine&)) const {
        std::vector<APMMonitorLine> found;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(found), test);
        return found;
    }

    std::vector<APMMonitorLine> lines;
    std::vector<APMEvent> events;
    int monitorToken = 0;
    int eventToken = 0;
};

TEST_F(AnalyticsTest, EventsBeforeConfigureAreDroppedWithTheWarningAndAcceptedAfterIt) {
    VAVAnalytics::logEventWithNameParameters("tapped_clear", std::nullopt);
    EXPECT_TRUE(events.empty());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(isWarning(lines[0]));
    EXPECT_EQ(lines[0].message, "Event not logged. Call +[VAVApp configure]");
    EXPECT_NE(lines[0].messageCode, 0);

    VAVApp::configure();
    ASSERT_TRUE(VAVApp::isDefaultAppConfigured());
    EXPECT_EQ(VAVApp::defaultApp()->options().appID(), "1:ombrel:linux");
    lines.clear();
    VAVAnalytics::logEventWithNameParameters("tapped_clear", std::nullopt);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].origin, "app");
    EXPECT_EQ(events[0].name, "tapped_clear");
    EXPECT_TRUE(events[0].parameters.empty());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, static_cast<int>(APMLogLevel::notice));
    EXPECT_EQ(lines[0].context, (std::vector<std::string>{"app", "tapped_clear", "{}"}));

    // Standard error gets the log's lines only along with the debug prints.
    const bool wasSilenced = DebugConsole::isSilenced();
    const bool debugPrintsWereShown = DebugConsole::debugPrintsShown();
    DebugConsole::setSilenced(false);
    for (bool shown : {false, true}) {
        DebugConsole::setDebugPrintsShown(shown);
        testing::internal::CaptureStderr();
        VAVAnalytics::logEventWithNameParameters("tapped_clear", std::nullopt);
        VAVAnalytics::logEventWithNameParameters("Tapped App Link", std::nullopt);
        EXPECT_EQ(!testing::internal::GetCapturedStderr().empty(), shown);
    }
    DebugConsole::setSilenced(wasSilenced);
    DebugConsole::setDebugPrintsShown(debugPrintsWereShown);
}

TEST_F(AnalyticsTest, ConfigureWithoutAConfigurationFileLeavesTheAppUnconfigured) {
    TemporaryFolder emptyBundle;
    Bundle::setMainBundlePath(emptyBundle.path());
    VAVApp::configure();
    EXPECT_FALSE(VAVApp::isDefaultAppConfigured());
    VAVAnalytics::logEventWithNameParameters("tapped_menu_button", std::nullopt);
    EXPECT_TRUE(events.empty());
}

TEST_F(AnalyticsTest, ParametersAreConvertedAndUnconvertibleOnesAreDroppedWithAWarning) {
    VAVApp::configure();
    Clock::setCurrent(std::make_shared<ManualClock>(Date::dateWithTimeIntervalSince1970(1'700'000'000.25)));
    const AnyValue::Array steps{AnyValue::Dictionary{{"title", "Mean"}, {"latexString", "\\bar{x} = 4.6"}},
                                AnyValue::Dictionary{{"title", "Variance"}, {"latexString", "s^2 = 2.3"}}};
    VAVAnalytics::logEventWithNameParameters(
        "kivo_calculate",
        AnyValue::Dictionary{
            {"calc_parameters", AnyValue::Dictionary{{"event0", "4"}}},
            {"latex_string", "x_i = [4]"},
            {"calc_count", 7},
            {"rating", 4.5},
            {"has_app", true},
            {"solutionSteps", steps},
            {"empty", AnyValue::Array{}},
            {"null", AnyValue()},
            {"data", AnyValue::Data{1, 2}},
            {"date", Date::dateWithTimeIntervalSince1970(0)},
            {"texts", std::vector<std::string>{"a", "b"}},
            {"nested", AnyValue::Array{AnyValue::Dictionary{{"inner", AnyValue::Array{}}}}}});

    ASSERT_EQ(events.size(), 1u) << "the event goes on without the unconvertible values";
    const APMEvent& event = events[0];
    EXPECT_EQ(event.timestamp, 1'700'000'000'250);
    EXPECT_EQ(event.parameters.size(), 6u);
    EXPECT_EQ(event.parameters.at("latex_string"), APMValue(std::string("x_i = [4]")));
    EXPECT_EQ(event.parameters.at("calc_count"), APMValue(std::int64_t{7}));
    EXPECT_EQ(event.parameters.at("rating"), APMValue(4.5));
    EXPECT_EQ(event.parameters.at("has_app"), APMValue(std::int64_t{1}));
    EXPECT_EQ(event.parameters.at("empty"), APMValue(APMValue::Items{}));
    EXPECT_EQ(event.parameters.at("solutionSteps").description(),
              "[{latexString=\\bar{x} = 4.6, title=Mean}, {latexString=s^2 = 2.3, title=Variance}]");

    std::vector<std::string> dropped;
    for (const APMMonitorLine& warning : linesWhere(isWarning)) {
        EXPECT_EQ(warning.context.at(0), "kivo_calculate");
        dropped.push_back(warning.context.at(1));
    }
    EXPECT_EQ(dropped,
              (std::vector<std::string>{"calc_parameters", "data", "date", "nested", "null", "texts"}));
    EXPECT_TRUE(linesWhere(isError).empty());
}

TEST_F(AnalyticsTest, NamesFailingThePublicEventNameCheckAreRefusedThroughTheErrorPath) {
    VAVApp::configure();
    for (const std::string name :
         {"", "1st_event", "_internal", "Tapped App Link", "kivo-calc", "caf\xC3\xA9"}) {
        lines.clear();
        VAVAnalytics::logEventWithNameParameters(name, AnyValue::Dictionary{{"app", "zq"}});
        const auto errors = linesWhere(isError);
        ASSERT_EQ(errors.size(), 1u) << name;
        EXPECT_EQ(errors[0].context.back(), name);
    }
    VAVAnalytics::logEventWithNameParameters(std::string(41, 'a'), std::nullopt);
    EXPECT_TRUE(events.empty());

    lines.clear();
    for (const std::string& name :
         {std::string(40, 'a'), std::string("A"), std::string("kivoAds_presented2")})
        VAVAnalytics::logEventWithNameParameters(name, std::nullopt);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(linesWhere(isError).empty());
}

} // namespace
