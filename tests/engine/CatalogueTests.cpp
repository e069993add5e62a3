#include "engine/Formula.h"
#include "engine/KivoFormulaSymbol.h"
#include "engine/KivoFormulaUnit.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Catalogues, EveryShippedCatalogueDecodesAndTopicsMapToTheirResourcesExactly) {
    KivoFormulaUnit units;
    EXPECT_FALSE(units.units.empty());
    const auto metre =
        std::find_if(units.units.begin(), units.units.end(), [](const Unit& u) { return u.key == "m"; });
    ASSERT_NE(metre, units.units.end());
    EXPECT_EQ(metre->factor, 1.0);

    for (const char* topic :
         {"Arbitrary Triangle", "Circular Cone", "Frustum of a Cone", "Frustum of a Pyramid",
          "Isosceles triangle", "Pyramid", "Right Triangle", "Sphere"}) {
        SCOPED_TRACE(topic);
        KivoFormulaSymbol catalogue;
        catalogue.loadSymbols(topic);
        EXPECT_EQ(catalogue.currentTopic, topic);
        ASSERT_FALSE(catalogue.symbols.empty());
        EXPECT_EQ(catalogue.symbols.front().topic, topic);
    }
    EXPECT_EQ(KivoFormulaSymbol::resourceName("Sphere"), "s_sphereCalculator");
    EXPECT_EQ(KivoFormulaSymbol::resourceName("Isosceles triangle"), "s_isoscelesTriangle");
    EXPECT_EQ(KivoFormulaSymbol::resourceName("Isosceles Triangle"), "");

    std::vector<std::string> lines;
    DebugConsole::setListener([&](const std::string& line) { lines.push_back(line); });
    KivoFormulaSymbol catalogue;
    catalogue.loadSymbols("Isosceles Triangle");
    DebugConsole::setListener(nullptr);
    EXPECT_TRUE(catalogue.symbols.empty());
    EXPECT_FALSE(catalogue.currentTopic.has_value());
    EXPECT_EQ(lines, std::vector<std::string>{"configurationFailed"});
}

class CatalogueBundle : public ::testing::Test {
  protected:
    CatalogueBundle() { Bundle::setMainBundlePath(folder_.path()); }
    ~CatalogueBundle() override { Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR); }
    void write(const std::string& name, const std::string& json) {
        ASSERT_TRUE(FileSystem::writeFileAtomically(folder_.path() / (name + ".json"), json));
    }

    TemporaryFolder folder_;
};

const char* const sphereSymbol = R"({"category": "G", "subcategory": "S", "topic": "Sphere", "key": "r",
                                     "latex": "r", "name": "Radius", "unit": "m")";

TEST_F(CatalogueBundle, AMalformedCatalogueKeepsThePreviousSymbols) {
    write("s_sphereCalculator", std::string("[") + sphereSymbol + ", \"rules\": {\"a\": 2}}]");
    KivoFormulaSymbol catalogue;
    catalogue.loadSymbols("Sphere");
    ASSERT_EQ(catalogue.symbols.size(), 1u);
    EXPECT_EQ(catalogue.symbols[0].rules, (std::map<std::string, double>{{"a", 2.0}}));

    write("s_sphereCalculator", R"([{"category": "G", "subcategory": "S", "topic": "Sphere", "key": "r",
                                     "latex": "r", "name": "Radius"}])");
    std::vector<std::string> lines;
    DebugConsole::setListener([&](const std::string& line) { lines.push_back(line); });
    catalogue.loadSymbols("Sphere");
    DebugConsole::setListener(nullptr);
    EXPECT_EQ(catalogue.symbols.size(), 1u);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("unit"), std::string::npos);
}

TEST_F(CatalogueBundle, SymbolsWithoutRulesTheEncodedFormAndAMissingUnitCatalogue) {
    write("s_sphereCalculator", std::string("[") + sphereSymbol + "}]");
    KivoFormulaSymbol catalogue;
    catalogue.loadSymbols("Sphere");
    ASSERT_EQ(catalogue.symbols.size(), 1u);
    EXPECT_FALSE(catalogue.symbols[0].rules.has_value());
    const std::string encoded = RecordEncoder::encodeJSON(catalogue.symbols);
    EXPECT_EQ(encoded.find("rules"), std::string::npos);
    EXPECT_EQ(RecordDecoder::decodeJSON<std::vector<Symbol>>(encoded).value(), catalogue.symbols);

    const std::string formula = R"([{"category": "c", "subcategory": "s", "topic": "t", "type": "y",
        "imageName": "i", "searched": "A", "given": ["r"], "latex": "A = r", "identifier": "f1",
        "conditions": null, "description": "d"}])";
    Result<std::vector<Formula>> formulas = RecordDecoder::decodeJSON<std::vector<Formula>>(formula);
    ASSERT_TRUE(formulas);
    EXPECT_FALSE(formulas->at(0).conditions.has_value());
    EXPECT_EQ(formulas->at(0).given, std::vector<std::string>{"r"});

    std::vector<std::string> lines;
    DebugConsole::setListener([&](const std::string& line) { lines.push_back(line); });
    KivoFormulaUnit units;
    DebugConsole::setListener(nullptr);
    EXPECT_TRUE(units.units.empty());
    EXPECT_EQ(units.defaultUnitKey, "m");
    EXPECT_EQ(lines, std::vector<std::string>{"configurationFailed"});
}

TEST(ReplaceDefaultUnit, OnlyWholeWordsAndOnlyWithATargetUnit) {
    KivoFormulaUnit units;
    EXPECT_EQ(units.replaceDefaultUnit("m^2", false), "m^2");
    units.targetUnit = Unit{"cm", "\\text{cm}", "Centimetre", 0.01};
    EXPECT_EQ(units.replaceDefaultUnit("m^2", false), "\\text{cm}^2");
    EXPECT_EQ(units.replaceDefaultUnit("m^2", true), "cm^2");
    EXPECT_EQ(units.replaceDefaultUnit("mm", true), "mm");
    EXPECT_EQ(units.replaceDefaultUnit("m m", true), "cm cm");
    units.targetUnit = Unit{"$1\\", "x", "odd", 1};
    EXPECT_EQ(units.replaceDefaultUnit("m", true), "$1\\");
}

} // namespace
