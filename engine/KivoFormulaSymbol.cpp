#include "engine/KivoFormulaSymbol.h"

#include "engine/CatalogueLoader.h"
#include "platform/foundation/DebugConsole.h"

#include <array>
#include <utility>

std::shared_ptr<KivoFormulaSymbol> KivoFormulaSymbol::shared() {
    static const std::shared_ptr<KivoFormulaSymbol> instance = std::make_shared<KivoFormulaSymbol>();
    return instance;
}

std::string KivoFormulaSymbol::resourceName(const std::string& topic) {
    static const std::array<std::pair<const char*, const char*>, 8> resources{{
        {"Arbitrary Triangle", "s_arbitraryTriangle"},
        {"Circular Cone", "s_circularCone"},
        {"Frustum of a Cone", "s_frustumOfACone"},
        {"Frustum of a Pyramid", "s_frustumOfAPyramid"},
        {"Isosceles triangle", "s_isoscelesTriangle"},
        {"Pyramid", "s_pyramid"},
        {"Right Triangle", "s_rightTriangle"},
        {"Sphere", "s_sphereCalculator"},
    }};
    for (const auto& [name, resource] : resources)
        if (topic == name)
            return resource;
    return {};
}

void KivoFormulaSymbol::loadSymbols(const std::string& topic) {
    Result<std::vector<Symbol>> loaded = loadCatalogue<Symbol>(resourceName(topic));
    if (!loaded) {
        DebugConsole::print(loaded.error());
        return;
    }
    symbols = std::move(loaded.value());
    currentTopic = topic;
}
