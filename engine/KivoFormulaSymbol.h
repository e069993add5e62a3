#pragma once

#include "engine/Symbol.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Holder of the symbol catalogue of the current formula topic.
class KivoFormulaSymbol {
  public:
    static std::shared_ptr<KivoFormulaSymbol> shared();

    std::vector<Symbol> symbols;
    std::optional<std::string> currentTopic;

    // Replaces the symbols by the topic's catalogue; on failure keeps them and prints the error.
    void loadSymbols(const std::string& topic);

    // The bundle resource of a topic's catalogue; empty for a topic outside the table.
    static std::string resourceName(const std::string& topic);
};
