#pragma once

#include "engine/Unit.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Holder of the units of length; loads its catalogue when it is created.
class KivoFormulaUnit {
  public:
    static std::shared_ptr<KivoFormulaUnit> shared();
    KivoFormulaUnit();

    std::string defaultUnitKey = "m";
    std::vector<Unit> units;
    std::optional<Unit> targetUnit;

    // Replaces the default unit key, as a whole word, by the target unit's key or LaTeX.
    std::string replaceDefaultUnit(const std::string& text, bool useKey) const;
};
