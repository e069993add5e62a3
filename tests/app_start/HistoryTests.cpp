#include "AppRun.h"
#include "platform/foundation/JSONCoding.h"

#include <gtest/gtest.h>

namespace {

const std::string exampleLatex = "x_i = [4;5;3;7;4] \\\\ P\\left(X = x_i\\right) = [0.3;0.25;0.4;0.04;0.01]";

AnyValue record(const std::string& latex, const std::string& firstValue, AnyValue::Dictionary moreInputs = {},
                std::int64_t mode = 0) {
    moreInputs.insert({{"event0", AnyValue(firstValue)}, {"probability0", AnyValue("")}});
    return AnyValue(AnyValue::Dictionary{
        {"_latexString", AnyValue(latex)},
        {"inputParameters", AnyValue(moreInputs)},
        {"solutionSteps", AnyValue(AnyValue::Array{})},
        {"setupParameter", AnyValue(AnyValue::Dictionary{{"inputCalculationSelection", AnyValue(mode)},
                                                         {"appKey", AnyValue("OB")}})}});
}

std::vector<std::string> shownLatex(AppRun& app) {
    std::vector<std::string> out;
    for (const auto& label : app.viewsOfClass("MTMathUILabel")) {
        out.push_back(label.text);
    }
    return out;
}

// The view of a class whose frame holds the point.
std::optional<AppView> viewAt(AppRun& app, const std::string& className, CGFloat y) {
    for (const auto& view : app.views()) {
        if ((view.className == className || view.identifier == className) && view.frame.minY() <= y &&
            y <= view.frame.maxY()) {
            return view;
        }
    }
    return std::nullopt;
}

} // namespace

TEST(HistoryTest, ReopeningAnEntryRestoresItsRowsAndModeInAFreshInputScreen) {
    IntroducedHome home;
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    ASSERT_TRUE(app.openMenu("History"));
    EXPECT_TRUE(app.shows("History"));
    auto rows = app.viewsOfClass("HistoryTableViewCell");
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_TRUE(app.tapAt(rows[0].frame.center()));

    // The drawer is closed and a new input page shows the example's five rows in mode 1.
    EXPECT_FALSE(app.shows("Privacy Policy"));
    EXPECT_TRUE(app.shows("Fill in your given numbers:"));
    auto mode = app.find("modeSelector");
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->selectedSegment, std::optional<int>(1));
    EXPECT_EQ(app.fieldTexts("event"), (std::vector<std::string>{"4", "5", "3", "7"}));
    EXPECT_EQ(app.fieldTexts("probability"), (std::vector<std::string>{"0.3", "0.25", "0.4", "0.04"}));
    auto table = app.find("inputTable");
    ASSERT_TRUE(table);
    app.scroll(*table, 0, 400);
    auto events = app.fieldTexts("event");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "4");
    EXPECT_EQ(app.fieldTexts("probability").back(), "0.01");

    // The selection has done its work and is gone from the store.
    EXPECT_FALSE(readDefaults(home.path()).count("CurrentSelectedCalculation"));
    auto tapped = app.events("tapped_history_item");
    ASSERT_EQ(tapped.size(), 1u);
    EXPECT_EQ(tapped[0].parameters["latex_string"].stringValue(), exampleLatex);
    // The facade takes no dictionary: the entry's parameters come as their JSON text.
    auto parameters = JSONCoding::decode(tapped[0].parameters["calc_parameters"].stringValue().value_or(""));
    ASSERT_TRUE(parameters && parameters->dictionaryPointer());
    EXPECT_EQ(parameters->dictionaryPointer()->at("probability4").stringValue(),
              std::optional<std::string>("0.01"));

    // Both the replaced screens and the fresh ones are torn down when the app ends.
    EXPECT_EQ(app.quit(), std::optional<int>(0));
}

TEST(HistoryTest, AnEntryBeyondTheRowLimitIsRefusedAndAStrangeModeReadsAsModeZero) {
    const std::string tooLarge =
        "This calculation is larger than Ombrel can open (10,000 rows, 1,000 characters a field).";
    IntroducedHome home;
    const AnyValue huge = record("x_i = [1;2]", "1", {{"event999999999", AnyValue("2")}});
    writeDefaults(home.path(),
                  {{"Calculations", AnyValue(AnyValue::Array{
                                        huge, record("x_i = [3;5]", "3", {{"event1", AnyValue("5")}}, 99)})},
                   {"CurrentSelectedCalculation", huge}});
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    EXPECT_TRUE(app.shows(tooLarge));
    // Two empty rows, showing their placeholders.
    EXPECT_EQ(app.fieldTexts("event"), (std::vector<std::string>{"x", "x"}));
    EXPECT_FALSE(readDefaults(home.path()).count("CurrentSelectedCalculation"));

    ASSERT_TRUE(app.openMenu("History"));
    ASSERT_EQ(app.viewsOfClass("HistoryTableViewCell").size(), 3u);
    ASSERT_TRUE(app.tapAt(app.viewsOfClass("HistoryTableViewCell")[2].frame.center()));
    EXPECT_EQ(app.find("modeSelector").value_or(AppView{}).selectedSegment, std::optional<int>(0));
    EXPECT_EQ(app.fieldTexts("event"), (std::vector<std::string>{"3", "5"}));

    app.advance(5);
    EXPECT_FALSE(app.shows(tooLarge)) << "the toast has faded";
    ASSERT_TRUE(app.openMenu("History"));
    ASSERT_TRUE(app.tapAt(app.viewsOfClass("HistoryTableViewCell")[1].frame.center()));
    EXPECT_TRUE(app.shows(tooLarge));
    EXPECT_EQ(app.viewsOfClass("HistoryTableViewCell").size(), 3u) << "the history stays";
    ASSERT_TRUE(app.openMenu("Stochastics"));
    EXPECT_EQ(app.fieldTexts("event"), (std::vector<std::string>{"3", "5"})) << "the table the user left";
    EXPECT_EQ(storedLatex(home.path()),
              (std::vector<std::string>{exampleLatex, "x_i = [1;2]", "x_i = [3;5]"}));
    EXPECT_EQ(app.quit(), std::optional<int>(0));
}

TEST(HistoryTest, TheMenuBringsBackThePagesAsTheUserLeftThem) {
    IntroducedHome home;
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    for (const char* step :
         {"event0", "key 5", "event1", "key 7", "calculateButton", "Input", "Random variable"}) {
        ASSERT_TRUE(app.tap(step)) << step;
    }
    auto addRow = app.viewsOfClass("AddCellTableViewCell");
    ASSERT_EQ(addRow.size(), 1u);
    ASSERT_TRUE(app.tapAt(addRow[0].frame.center()));
    ASSERT_TRUE(app.tap("probability0"));
    ASSERT_TRUE(app.tap("key 1"));

    // From the input page, and on the way back from the history, the menu's first row shows the
    // rows, the mode and the focus as they were left.
    std::string probability = "1";
    for (const auto& way : {std::vector<std::string>{"menuButton", "Stochastics"},
                            std::vector<std::string>{"menuButton", "History", "menuButton", "Stochastics"}}) {
        for (const auto& step : way) {
            ASSERT_TRUE(app.tap(step)) << step;
        }
        EXPECT_EQ(app.find("modeSelector")->selectedSegment, std::optional<int>(1));
        // Empty fields show their placeholders.
        EXPECT_EQ(app.fieldTexts("event"), (std::vector<std::string>{"5", "7", "x"}));
        EXPECT_EQ(app.fieldTexts("probability"), (std::vector<std::string>{probability, "P(X)", "P(X)"}));
        ASSERT_TRUE(app.tap("key 3"));
        probability += "3";
        EXPECT_EQ(app.fieldTexts("probability").at(0), probability);
    }
    ASSERT_TRUE(app.tap("Result"));
    EXPECT_TRUE(app.shows("x_i = [5;7]"));
}

TEST(HistoryTest, DeletingMovingAndClearingLastAcrossLaunches) {
    IntroducedHome home;
    writeDefaults(home.path(), {{"Calculations",
                                 AnyValue(AnyValue::Array{record("x_i = [1]", "1"), record("x_i = [2]", "2"),
                                                          record("x_i = [3]", "3")})}});
    {
        AppRun app(home.path());
        ASSERT_TRUE(app.isReady());
        ASSERT_TRUE(app.openMenu("History"));
        EXPECT_EQ(shownLatex(app),
                  (std::vector<std::string>{exampleLatex, "x_i = [1]", "x_i = [2]", "x_i = [3]"}));
        ASSERT_TRUE(app.tap("historyEditButton"));

        // Delete "x_i = [2]" (row 2) with its delete control and the confirmation.
        auto rows = app.viewsOfClass("HistoryTableViewCell");
        ASSERT_EQ(rows.size(), 4u);
        auto control = viewAt(app, "Delete control", rows[2].frame.midY());
        ASSERT_TRUE(control);
        ASSERT_TRUE(app.tapAt(control->frame.center()));
        ASSERT_TRUE(app.tap("Delete"));
        EXPECT_EQ(storedLatex(home.path()),
                  (std::vector<std::string>{exampleLatex, "x_i = [1]", "x_i = [3]"}));
        EXPECT_EQ(app.events("tapped_history_delete_single_calc").size(), 1u);

        // Drag the example's reorder grip below the last row.
        rows = app.viewsOfClass("HistoryTableViewCell");
        ASSERT_EQ(rows.size(), 3u);
        auto grip = viewAt(app, "(anonymous namespace)::ReorderControl", rows[0].frame.midY());
        ASSERT_TRUE(grip);
        CGPoint from = grip->frame.center();
        app.ok("press " + std::to_string(from.x) + " " + std::to_string(from.y));
        for (int step = 1; step <= 10; ++step) {
            app.ok("move " + std::to_string(from.x) + " " +
                   std::to_string(from.y + step * (rows[2].frame.midY() + 10 - from.y) / 10));
        }
        app.ok("release " + std::to_string(from.x) + " " + std::to_string(rows[2].frame.midY() + 10));
        app.advance(1);
        EXPECT_EQ(storedLatex(home.path()),
                  (std::vector<std::string>{"x_i = [1]", "x_i = [3]", exampleLatex}));
    }
    {
        // A new launch shows the changed order; the example is not added again while it is there.
        AppRun app(home.path());
        ASSERT_TRUE(app.isReady());
        ASSERT_TRUE(app.openMenu("History"));
        EXPECT_EQ(shownLatex(app), (std::vector<std::string>{"x_i = [1]", "x_i = [3]", exampleLatex}));

        // Cancelling the confirmation changes nothing; confirming empties the history.
        ASSERT_TRUE(app.tap("historyClearButton"));
        EXPECT_TRUE(app.shows("Do you really want to delete your whole history?"));
        ASSERT_TRUE(app.tap("Cancel"));
        EXPECT_EQ(storedLatex(home.path()).size(), 3u);
        EXPECT_TRUE(app.events("tapped_history_clear").empty());
        ASSERT_TRUE(app.tap("historyClearButton"));
        ASSERT_TRUE(app.tap("Clear"));
        EXPECT_TRUE(app.viewsOfClass("HistoryTableViewCell").empty());
        EXPECT_TRUE(storedLatex(home.path()).empty());
        auto cleared = app.events("tapped_history_clear");
        ASSERT_EQ(cleared.size(), 1u);
        EXPECT_EQ(cleared[0].parameters["calc_count"].integerValue(), std::optional<std::int64_t>(3));
    }
    // After clearing, only the example comes back.
    AppRun app(home.path());
    ASSERT_TRUE(app.isReady());
    EXPECT_EQ(storedLatex(home.path()), std::vector<std::string>{exampleLatex});
}
