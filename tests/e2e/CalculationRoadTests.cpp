#include "AppFrameTest.h"

#include "app/InputRows.h"
#include "engine/KivoOmbrel.h"
#include "engine/KivoStringOutput.h"
#include "platform/math/MTMathUILabel.h"

namespace {

using CalculationRoad = AppFrameTest;

std::vector<SolutionStep> engineSteps(const std::function<void(KivoOmbrel&)>& run) {
    auto output = KivoStringOutput::shared();
    output->solutionSteps.clear();
    output->solutionStepCounter = 0;
    KivoOmbrel calculator;
    run(calculator);
    auto steps = output->solutionSteps;
    output->solutionSteps.clear();
    output->solutionStepCounter = 0;
    return steps;
}

// Every row of the result table, scrolled into view, shows its step's heading and formula.
void expectRowsShowSteps(AppFrameTest& test, const std::vector<SolutionStep>& steps) {
    auto table = test.result->tableView;
    ASSERT_EQ(table->numberOfRowsInSection(0), static_cast<int>(steps.size()));
    for (int row = 0; row < static_cast<int>(steps.size()); ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::top, false);
        test.settle();
        auto cell =
            std::dynamic_pointer_cast<SolutionStepTableViewCell>(table->cellForRowAtIndexPath({0, row}));
        ASSERT_NE(cell, nullptr);
        const SolutionStep& step = steps[static_cast<std::size_t>(row)];
        EXPECT_EQ(cell->mathLabel->latex(), KivoStringOutput::beautifyLatex(step.at("latexString")));
        EXPECT_EQ(cell->stepTitleLabelView.lock()->isHidden(), step.at("title").empty());
        if (!step.at("title").empty()) {
            EXPECT_EQ(cell->stepTitleLabel->text(), step.at("title"));
        }
    }
}

TEST_F(CalculationRoad, TheWorkedExampleFillsTheResultPageAndTheHistoryInBothModes) {
    typeWorkedExample(1);
    EXPECT_EQ(input->allFields[2].event, "3");
    EXPECT_EQ(input->allFields[4].probability, "0.01");
    tapCalculate();

    EXPECT_EQ(tabs->selectedIndex(), 1u);
    const auto& steps = result->solutionSteps;
    ASSERT_EQ(steps.size(), 22u);
    EXPECT_EQ(steps[0].at("title"), "Your Input");
    EXPECT_EQ(steps[0].at("latexString"), "x_i = [4;5;3;7;4] \\\\ P(X = x_i) = [0.3;0.25;0.4;0.04;0.01]");
    const auto expected = engineSteps([](KivoOmbrel& calculator) {
        calculator.randomVariableStatisticsSteps({{4, 0.3, ExactNumber(3, 10)},
                                                  {5, 0.25, ExactNumber(1, 4)},
                                                  {3, 0.4, ExactNumber(2, 5)},
                                                  {7, 0.04, ExactNumber(1, 25)},
                                                  {4, 0.01, ExactNumber(1, 100)}});
    });
    EXPECT_EQ(std::vector<SolutionStep>(steps.begin() + 1, steps.end()), expected);
    expectRowsShowSteps(*this, steps);

    const auto& history = CalcManager::shared()->calculations();
    ASSERT_FALSE(history.empty());
    const Calculation& record = history.front();
    EXPECT_EQ(record._latexString, KivoStringOutput::beautifyLatex(steps[0].at("latexString")));
    EXPECT_EQ(record.inputParameters.at("event3"), "7");
    EXPECT_EQ(record.inputParameters.at("probability1"), "0.25");
    EXPECT_EQ(record.setupParameter.at("inputCalculationSelection").integerValue(), 1);
    EXPECT_EQ(record.setupParameter.at("appKey").stringValue(), "OB");
    EXPECT_TRUE(record.solutionSteps.empty());

    const auto calculated = eventsNamed("kivo_calculate");
    ASSERT_EQ(calculated.size(), 1u);
    EXPECT_EQ(calculated[0].parameters.at("solutionStepsCount").integerValue(), 22);
    EXPECT_FALSE(isCalculationRunning);
    EXPECT_TRUE(KivoStringOutput::shared()->solutionSteps.empty()) << "the collector is left empty";
    EXPECT_FALSE(result->shareButton->isHidden());
    EXPECT_TRUE(tabItem(*result)->isEnabled());

    // The same inputs again leave one entry at the front.
    tabs->select(0);
    settle();
    const std::size_t entries = history.size();
    tapCalculate();
    EXPECT_EQ(CalcManager::shared()->calculations().size(), entries);

    // Sample statistics of the same values, their probabilities hidden and left out, and so is a last
    // row with no value.
    tabs->select(0);
    settle();
    tapAddRow();
    typeInto(5, true, "0");
    chooseMode(0);
    EXPECT_TRUE(field(0, true)->isHidden());
    tapCalculate();
    ASSERT_EQ(steps.size(), 24u);
    EXPECT_EQ(steps[0].at("latexString"), "x_i = [4;5;3;7;4] ");
    EXPECT_EQ(std::vector<SolutionStep>(steps.begin() + 1, steps.end()),
              engineSteps([](KivoOmbrel& calculator) {
                  calculator.sampleStatisticsSteps({4, 5, 3, 7, 4});
              }));
    EXPECT_EQ(history.front().setupParameter.at("inputCalculationSelection").integerValue(), 0);
}

TEST_F(CalculationRoad, WithTheHistoryFullTheResultIsShownAndAToastSaysItWasNotKept) {
    // One entry that leaves the history less room than a calculation takes.
    Calculation large;
    large._latexString = std::string(CalcManager::defaultBudget.bytes - 500, 'x');
    ASSERT_TRUE(CalcManager::shared()->addCalculation(large, true));
    typeWorkedExample(1);
    tapCalculate();

    EXPECT_EQ(tabs->selectedIndex(), 1u);
    EXPECT_EQ(result->solutionSteps.size(), 22u);
    EXPECT_EQ(toastTexts(),
              std::vector<std::string>{"The history is full. Delete old entries to keep new ones."});
    EXPECT_EQ(CalcManager::shared()->calculations(), std::vector<Calculation>{large});
    EXPECT_EQ(eventsNamed("kivo_calculate").size(), 1u);
}

TEST_F(CalculationRoad, AnEmptyFieldComesIntoViewMarkedOrangeWithItsToastAndTheCaret) {
    chooseMode(1);
    typeInto(0, false, "4");
    typeInto(0, true, "1");
    typeInto(1, false, "5");
    for (int row = 2; row < 8; ++row)
        input->allFields.push_back({std::to_string(row), "0"});
    input->allFields.push_back({}); // an empty last row takes no part
    auto table = inputTable();
    table->reloadData();
    window->sendScroll(inWindow(*table).center(), {0, 4000});
    settle();
    ASSERT_EQ(table->cellForRowAtIndexPath({0, 1}), nullptr) << "row 2 is out of view";
    tapCalculate();
    clock->advance(0.5);
    settle();

    // The empty field has scrolled into view below the header and takes what is typed.
    auto cell = std::dynamic_pointer_cast<EnumeratedInputTableViewCell>(table->cellForRowAtIndexPath({0, 1}));
    ASSERT_NE(cell, nullptr);
    auto empty = cell->doubleTextField.lock();
    const CGRect shown = empty->convertRectToView(empty->bounds(), table.get());
    EXPECT_GE(shown.minY(), table->headerViewForSection(0)->frame().maxY());
    EXPECT_LE(shown.maxY(), table->contentOffset().y + table->bounds().height());
    EXPECT_EQ(empty->borderColor(), ColorManager::warningOrange());
    EXPECT_TRUE(empty->isFirstResponder());
    typeKeys("0.5");
    EXPECT_EQ(input->allFields[1].probability, "0.5");

    EXPECT_EQ(tabs->selectedIndex(), 0u) << "an error keeps the input page";
    EXPECT_EQ(input->currentError, "notEnoughInputValues");
    EXPECT_EQ(input->errorIdArray, std::vector<std::string>{"probability1"});
    EXPECT_EQ(field(0, true)->borderColor(), ColorManager::fieldBorderGrey());
    EXPECT_EQ(field(1, false)->borderColor(), ColorManager::fieldBorderGrey());
    EXPECT_EQ(toastTexts(), std::vector<std::string>{"Please fill in all fields."});
    ASSERT_EQ(eventsNamed("kivo_got_error").size(), 1u);
    EXPECT_EQ(eventsNamed("kivo_got_error")[0].parameters.at("error_case").stringValue(),
              "notEnoughInputValues");
    EXPECT_TRUE(result->solutionSteps.empty());

    // The toast stands for three seconds, then fades out within two more.
    clock->advance(2.9);
    settle();
    EXPECT_FALSE(toastTexts().empty());
    clock->advance(2.2);
    settle();
    EXPECT_TRUE(toastTexts().empty());
}

// Calculate shows its message once and logs the error; reloads only redraw the marks, and another mode
// drops them.
TEST_F(CalculationRoad, AWrongProbabilitySumMarksEveryProbabilityRedUntilTheModeChanges) {
    const std::string message = "The probabilities must add up to exactly 1.";
    auto expectMarks = [&](const std::vector<std::string>& toasts, std::size_t errorEvents) {
        EXPECT_EQ(input->errorIdArray, (std::vector<std::string>{"probability0", "probability1"}));
        for (int row = 0; row < 2; ++row) {
            EXPECT_EQ(field(row, true)->borderColor(), ColorManager::errorRed());
            EXPECT_EQ(field(row, false)->borderColor(), ColorManager::fieldBorderGrey());
        }
        EXPECT_EQ(toastTexts(), toasts);
        EXPECT_EQ(eventsNamed("kivo_got_error").size(), errorEvents);
    };
    chooseMode(1);
    typeInto(0, false, "1");
    typeInto(0, true, "0.5");
    typeInto(1, false, "2");
    typeInto(1, true, "0.4");
    tapCalculate();
    EXPECT_EQ(input->currentError, "sumOfProbabilitiesMustBe1");
    expectMarks({message}, 1);

    tapAddRow();
    tabs->select(1);
    settle();
    tabs->select(0);
    settle();
    expectMarks({message}, 1);

    chooseMode(0);
    chooseMode(1);
    EXPECT_TRUE(input->errorIdArray.empty());
    EXPECT_FALSE(input->currentError);
    EXPECT_EQ(field(0, true)->borderColor(), ColorManager::fieldBorderGrey());
    EXPECT_TRUE(toastTexts().empty());
    EXPECT_EQ(eventsNamed("kivo_got_error").size(), 1u);

    // The empty third row is left out of the second run.
    tapCalculate();
    expectMarks({message}, 2);

    // Clear takes the markings away; Calculate marks every field of its two empty rows.
    tap(*input->clearAllButton);
    EXPECT_TRUE(input->errorIdArray.empty());
    EXPECT_EQ(field(1, true)->borderColor(), ColorManager::fieldBorderGrey());
    tapCalculate();
    EXPECT_EQ(input->errorIdArray,
              (std::vector<std::string>{"event0", "probability0", "event1", "probability1"}));
    EXPECT_EQ(field(1, true)->borderColor(), ColorManager::warningOrange());
}

// Typing goes on at the cursor; a fraction among the values is marked with its message.
TEST_F(CalculationRoad, AFractionalValueIsMarked) {
    chooseMode(1);
    typeInto(0, false, "7");
    typeInto(0, true, "0.7");
    typeInto(1, false, "6");
    typeInto(1, true, "0.3");
    auto value = field(0, false);
    tap(*value);
    value->setSelectedTextRange(UITextRange{{1}, {1}});
    typeKeys("/2");
    ASSERT_EQ(input->allFields[0].event, "7/2");
    tapCalculate();
    EXPECT_EQ(tabs->selectedIndex(), 0u);
    EXPECT_EQ(input->currentError, "valueMustBeWholeNumber");
    EXPECT_EQ(input->errorIdArray, std::vector<std::string>{"event0"});
    EXPECT_EQ(field(0, false)->borderColor(), ColorManager::errorRed());
    EXPECT_EQ(field(1, false)->borderColor(), ColorManager::fieldBorderGrey());
    EXPECT_EQ(field(0, true)->borderColor(), ColorManager::fieldBorderGrey());
    EXPECT_EQ(toastTexts(), std::vector<std::string>{"The values x_i must be whole numbers."});
}

TEST_F(CalculationRoad, ClearEmptiesTheResultPageAndReturnsToTwoRows) {
    typeWorkedExample(1);
    tapCalculate();
    ASSERT_EQ(tabs->selectedIndex(), 1u);
    tabs->select(0);
    settle();
    // Sixty rows, scrolled far down.
    input->allFields.resize(60, {"1", ""});
    auto table = inputTable();
    table->reloadData();
    settle();
    window->sendScroll(inWindow(*table).center(), {0, 4000});
    settle();
    ASSERT_GT(table->contentOffset().y, 3000);

    tap(*input->clearAllButton);
    EXPECT_EQ(table->indexPathsForVisibleRows(), (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 2}}))
        << "the first row and the add-row are in view";
    EXPECT_EQ(tabs->selectedIndex(), 0u);
    EXPECT_TRUE(result->solutionSteps.empty());
    EXPECT_EQ(result->tableView->numberOfRowsInSection(0), 0);
    EXPECT_FALSE(tabItem(*result)->isEnabled());
    EXPECT_EQ(input->allFields, (std::vector<CalculateViewController::InputRow>{{}, {}}));
    EXPECT_EQ(field(0, false)->text(), "");
    EXPECT_EQ(inputTable()->numberOfRowsInSection(0), 3);
    EXPECT_EQ(eventsNamed("tapped_clear").size(), 1u);
    EXPECT_FALSE(CalcManager::shared()->currentSelectedCalculation());
}

TEST_F(CalculationRoad, ThePointKeyWorksOnlyInProbabilityFieldsAndTheMinusKeyTogglesTheSign) {
    chooseMode(1);
    typeInto(0, false, "4");
    auto point = key(".");
    EXPECT_EQ(point->alpha(), 0.5);
    EXPECT_FALSE(point->isUserInteractionEnabled());
    tapKey(".");
    EXPECT_EQ(input->allFields[0].event, "4") << "a value takes no decimal point";

    typeInto(0, true, "0.5");
    EXPECT_EQ(point->alpha(), 1.0);
    EXPECT_TRUE(point->isUserInteractionEnabled());
    EXPECT_EQ(input->allFields[0].probability, "0.5");

    // The minus key toggles the sign wherever the cursor is.
    auto probability = field(0, true);
    tapKey("-");
    EXPECT_EQ(probability->text(), "-0.5");
    tapKey("-");
    EXPECT_EQ(probability->text(), "0.5");

    typeInto(1, false, "3");
    tapKey("-");
    EXPECT_EQ(field(1, false)->text(), "-3");
    typeKeys("-");
    typeKeys("5");
    EXPECT_EQ(field(1, false)->text(), "35") << "a second minus removes every minus sign";

    auto value = field(1, false);
    value->setText("-3-");
    input->readInputFields(*value);
    tapKey("-");
    EXPECT_EQ(value->text(), "3");

    value->setText("-5");
    value->setSelectedTextRange(UITextRange{{0}, {0}});
    tapKey("-");
    EXPECT_EQ(value->text(), "5");
    EXPECT_EQ(value->selectedTextRange()->start.offset, 0) << "the cursor stays at the start";
    EXPECT_EQ(input->allFields[1].event, "5");

    // A full field takes no further key, not even the sign; it still gives one up.
    const std::string almostFull(maximumFieldLength - 1, '7');
    value->setText(almostFull);
    value->setSelectedTextRange(UITextRange{{maximumFieldLength - 1}, {maximumFieldLength - 1}});
    typeKeys("89-");
    EXPECT_EQ(input->allFields[1].event, almostFull + "8");
    tap(*input->deleteButton);
    tapKey("-");
    EXPECT_EQ(value->text(), "-" + almostFull);
}

TEST_F(CalculationRoad, TheDeleteKeyRemovesBeforeTheCursorOrTheSelectionUnlessACalculationRuns) {
    typeInto(0, false, "1234");
    auto value = field(0, false);
    value->setSelectedTextRange(UITextRange{{0}, {0}});
    tap(*input->deleteButton);
    EXPECT_EQ(value->text(), "1234") << "nothing before the cursor";

    value->setSelectedTextRange(UITextRange{{1}, {3}});
    tap(*input->deleteButton);
    EXPECT_EQ(value->text(), "14");
    EXPECT_EQ(value->selectedTextRange()->start.offset, 1);

    value->setSelectedTextRange(UITextRange{{2}, {2}});
    tap(*input->deleteButton);
    EXPECT_EQ(value->text(), "1");
    EXPECT_EQ(input->allFields[0].event, "1");
    typeKeys("9");
    EXPECT_EQ(input->allFields[0].event, "19") << "typing goes on at the cursor";

    // The keypad is ignored while a calculation runs.
    isCalculationRunning = true;
    typeKeys("8");
    tap(*input->deleteButton);
    tap(*input->calculateButton);
    isCalculationRunning = false;
    EXPECT_EQ(input->allFields[0].event, "19");
    EXPECT_TRUE(eventsNamed("kivo_calculate").empty());
}

} // namespace
