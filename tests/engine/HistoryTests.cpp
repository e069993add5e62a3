#include "engine/CalcManager.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

Calculation record(const std::string& latex, const std::string& firstValue = "4") {
    const AnyValue::Dictionary step{{"title", AnyValue("Mean")}, {"latexString", AnyValue("x")}};
    return Calculation{
        latex, {{"event0", firstValue}, {"probability0", "1"}}, {step}, LocalizedString::appKeyDictionary()};
}

TEST(CalculationRecord, DamagedEntriesLoadFieldByField) {
    const Calculation empty = calculationFromDictionary({});
    EXPECT_EQ(empty, Calculation{});

    const Calculation damaged = calculationFromDictionary({
        {"_latexString", AnyValue(3)},
        {"inputParameters",
         AnyValue(AnyValue::Dictionary{{"event0", AnyValue("4")}, {"event1", AnyValue(5)}})},
        {"solutionSteps", AnyValue(AnyValue::Array{AnyValue::Dictionary{}, AnyValue("step")})},
        {"setupParameter", AnyValue(AnyValue::Dictionary{{"inputCalculationSelection", AnyValue(0)}})},
        {"other", AnyValue("ignored")},
    });
    EXPECT_EQ(damaged._latexString, "");
    EXPECT_TRUE(damaged.inputParameters.empty());
    EXPECT_TRUE(damaged.solutionSteps.empty());
    EXPECT_EQ(damaged.setupParameter.at("inputCalculationSelection"), AnyValue(0));
}

class History : public ::testing::Test {
  protected:
    std::filesystem::path file() const { return folder_.path() / "standard.plist"; }
    std::shared_ptr<UserDefaults> domain() const { return std::make_shared<UserDefaults>(file()); }
    CalcManager store() const { return CalcManager(Defaults(domain())); }

    static std::vector<std::string> latexTexts(const CalcManager& manager) {
        std::vector<std::string> texts;
        for (const Calculation& calculation : manager.calculations())
            texts.push_back(calculation._latexString);
        return texts;
    }

    TemporaryFolder folder_;
};

TEST_F(History, AStoredHistoryIsReadBackByANewStore) {
    {
        CalcManager manager = store();
        manager.addCalculation(record("a"), true);
        manager.addCalculation(record("b"), true);
        manager.setCurrentSelectedCalculation(record("a"));
        manager.currentCalculation = record("in progress");
    }
    CalcManager reopened = store();
    EXPECT_EQ(latexTexts(reopened), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(reopened.calculations()[1], record("a"));
    ASSERT_TRUE(reopened.currentSelectedCalculation());
    EXPECT_EQ(reopened.currentSelectedCalculation()->_latexString, "a");
    EXPECT_FALSE(reopened.currentCalculation.has_value());

    reopened.setCurrentSelectedCalculation(std::nullopt);
    EXPECT_FALSE(domain()->hasKey("CurrentSelectedCalculation"));

    // A stored current calculation is read but never written; a stored list that is none is replaced.
    domain()->setObjectForKey(AnyValue(calculationToDictionary(record("parked"))), "CurrentCalculation");
    domain()->setObjectForKey(AnyValue("not a list"), "Calculations");
    CalcManager manager = store();
    ASSERT_TRUE(manager.currentCalculation);
    EXPECT_EQ(manager.currentCalculation->_latexString, "parked");
    EXPECT_TRUE(manager.calculations().empty());
    EXPECT_EQ(domain()->objectForKey("Calculations"), AnyValue(AnyValue::Array{}));
}

TEST_F(History, AddingReplacesOrKeepsAnEqualEntryRefusesWhatCannotBeStoredRemovingMovingAndClearing) {
    CalcManager manager = store();
    for (const char* latex : {"e", "d", "c", "b", "a"})
        manager.addCalculation(record(latex), true);
    manager.addCalculation(record("d", "changed"), false);
    EXPECT_EQ(latexTexts(manager), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(manager.calculations()[3].inputParameters.at("event0"), "4");

    manager.addCalculation(record("d", "changed"), true);
    EXPECT_EQ(latexTexts(manager), (std::vector<std::string>{"d", "a", "b", "c", "e"}));
    EXPECT_EQ(manager.calculations()[0].inputParameters.at("event0"), "changed");

    manager.addCalculation(record("d", "again"), true);
    EXPECT_EQ(manager.calculations().size(), 5u);
    EXPECT_EQ(store().calculations()[0].inputParameters.at("event0"), "again");

    // Canonically equivalent texts are the same entry; a record that is no property list is not stored.
    manager.addCalculation(record("caf\u00e9"), true);
    manager.addCalculation(record("cafe\u0301"), false);
    Calculation broken = record("broken");
    broken.setupParameter["nothing"] = AnyValue();
    manager.addCalculation(broken, true);
    EXPECT_EQ(manager.calculations().size(), 6u);

    manager.clearCalculations();
    for (const char* latex : {"D", "C", "B", "A"})
        manager.addCalculation(record(latex), true);
    manager.moveCalculation(0, 2);
    EXPECT_EQ(latexTexts(manager), (std::vector<std::string>{"B", "C", "A", "D"}));
    manager.removeCalculation(1);
    manager.removeCalculation(7);
    manager.moveCalculation(0, 9);
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"B", "A", "D"}));

    manager.clearCalculations();
    EXPECT_TRUE(manager.calculations().empty());
    EXPECT_EQ(domain()->objectForKey("Calculations"), AnyValue(AnyValue::Array{}));
}

TEST_F(History, ARecordPastTheBudgetIsNotAddedAndNothingStoredIsDropped) {
    // Values as the settings reader counts them: room for two records of this shape, not three.
    std::string text;
    const std::uint64_t perRecord =
        PropertyListCoding::encodeXML(AnyValue(calculationToDictionary(record("a"))), text).value();
    const CalcManager::Budget twoRecords{2 * perRecord, 1 << 20};
    CalcManager manager(Defaults(domain()), twoRecords);
    EXPECT_TRUE(manager.addCalculation(record("a"), true));
    EXPECT_TRUE(manager.addCalculation(record("b"), true));
    EXPECT_FALSE(manager.addCalculation(record("c"), true));
    EXPECT_EQ(latexTexts(manager), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"b", "a"}));
    // Replacing an entry by one of its size, or adding after a removal, fits.
    EXPECT_TRUE(manager.addCalculation(record("a", "5"), true));
    manager.removeCalculation(1);
    EXPECT_TRUE(manager.addCalculation(record("c"), true));
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"c", "a"}));

    // A history stored past the budget (by an earlier version) loads whole; it may change, not grow.
    CalcManager past(Defaults(domain()), {perRecord, 1 << 20});
    EXPECT_EQ(past.calculations().size(), 2u);
    EXPECT_FALSE(past.addCalculation(record("d"), true));
    EXPECT_TRUE(past.addCalculation(record("a", "6"), true));
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"a", "c"}));

    // Bytes of the file count as well: a long text does not fit where a short one does.
    CalcManager bytes(Defaults(domain()), {1'000'000, 3 * text.size()});
    bytes.clearCalculations();
    EXPECT_FALSE(bytes.addCalculation(record(std::string(3 * text.size(), 'x')), true));
    EXPECT_TRUE(bytes.addCalculation(record("short"), true));
}

TEST_F(History, TheNextChangeRewritesDamagedStoredEntriesInTheirDictionaryForm) {
    AnyValue::Dictionary damaged = calculationToDictionary(record("a"));
    damaged["solutionSteps"] = AnyValue("not a list");
    damaged["other"] = AnyValue("dropped");
    AnyValue::Dictionary unpolished = calculationToDictionary(record("b"));
    unpolished["_latexString"] = AnyValue("P(X = 4.0)");
    domain()->setObjectForKey(AnyValue(AnyValue::Array{AnyValue(damaged), AnyValue(unpolished)}),
                              "Calculations");

    CalcManager manager = store();
    auto dictionaryForm = [&] {
        const std::vector<AnyValue::Dictionary> dictionaries = manager.calculationDictionaries();
        return AnyValue(AnyValue::Array(dictionaries.begin(), dictionaries.end()));
    };
    manager.addCalculation(record("c"), true);
    EXPECT_EQ(domain()->objectForKey("Calculations"), dictionaryForm());
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"c", "a", "P\\left(X = 4\\right)"}));

    // Once the stored list is current, changes keep it equal to the dictionary form.
    manager.moveCalculation(2, 0);
    manager.removeCalculation(1);
    EXPECT_EQ(domain()->objectForKey("Calculations"), dictionaryForm());
    // A list changed behind the store is rewritten whole.
    domain()->setObjectForKey(
        AnyValue(AnyValue::Array{AnyValue(calculationToDictionary(record("stranger")))}), "Calculations");
    manager.addCalculation(record("d"), true);
    EXPECT_EQ(domain()->objectForKey("Calculations"), dictionaryForm());
}

TEST_F(History, AnUnreadableEntryIsDroppedAloneOnceTheFileIsCopiedAside) {
    domain()->setObjectForKey(AnyValue(AnyValue::Array{AnyValue(calculationToDictionary(record("a"))),
                                                       AnyValue("not a record"), AnyValue(AnyValue::Array{}),
                                                       AnyValue(calculationToDictionary(record("b")))}),
                              "Calculations");
    domain()->setBoolForKey(true, "isOnboardingFinished");
    const std::string original = FileSystem::readFile(file()).value();
    auto copies = [&] {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
            if (entry.path() != file())
                found.push_back(entry.path());
        return found;
    };

    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(domain()->arrayForKey("Calculations")->size(), 2u) << "written back without them";
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_NE(copies()[0].filename().string().find("standard.plist.corrupt-"), std::string::npos);
    EXPECT_EQ(FileSystem::readFile(copies()[0]).value(), original);
    EXPECT_TRUE(domain()->boolForKey("isOnboardingFinished"));
    EXPECT_EQ(latexTexts(store()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(copies().size(), 1u) << "nothing left to drop, nothing more to keep";
}

TEST_F(History, FirstStartWritesAnEmptyListAndANegativeSchemaVersionEmptiesTheHistory) {
    {
        CalcManager manager = store();
        EXPECT_EQ(domain()->objectForKey("Calculations"), AnyValue(AnyValue::Array{}));
        manager.checkHistorySchemaVersion();
        EXPECT_FALSE(domain()->hasKey("lastHistoryDataBaseVersion"));
        for (const char* latex : {"c", "b", "a"})
            manager.addCalculation(record(latex), true);
    }
    domain()->setIntegerForKey(-1, "lastHistoryDataBaseVersion");
    CalcManager manager = store();
    EXPECT_EQ(manager.calculations().size(), 3u);
    manager.checkHistorySchemaVersion();
    manager.addCalculation(record("example"), false);
    EXPECT_EQ(latexTexts(manager), std::vector<std::string>{"example"});
    EXPECT_EQ(domain()->arrayForKey("Calculations")->size(), 1u);
    EXPECT_EQ(domain()->integerForKey("lastHistoryDataBaseVersion", 99), 0);
}

} // namespace
