#pragma once

#include "engine/Calculation.h"
#include "platform/defaults/Defaults.h"
#include "platform/defaults/DefaultsKey.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The calculation history (newest first, no two entries with the same LaTeX text added) and the two
// current records, kept in the user defaults. Every change of the history rewrites it whole.
class CalcManager {
  public:
    // What the history may hold: values as the settings reader counts them (dictionary keys included),
    // and bytes of the settings file, each entry counted as the file it would make on its own.
    struct Budget {
        std::uint64_t values = 0;
        std::uint64_t bytes = 0;
    };
    // A quarter of what the settings reader accepts: the history, a copy of one of its entries (the
    // selected calculation) and the other settings always load again.
    static const Budget defaultBudget;

    static const DefaultsKey<std::vector<AnyValue::Dictionary>> calculationsKey;
    static const DefaultsKey<std::optional<AnyValue::Dictionary>> currentSelectedCalculationKey;
    static const DefaultsKey<std::optional<AnyValue::Dictionary>> currentCalculationKey;
    static const DefaultsKey<std::int64_t> lastHistoryDataBaseVersionKey;
    static constexpr std::int64_t historySchemaVersion = 0;

    // Works on the standard user defaults.
    static std::shared_ptr<CalcManager> shared();
    // Loads the history and the two current records from the given defaults.
    explicit CalcManager(Defaults defaults = Defaults(), Budget budget = defaultBudget);

    std::shared_ptr<UserDefaults> userDefaults() const { return defaults_.userDefaults(); }
    const std::string persistKey = "tarsel_1";

    const std::vector<Calculation>& calculations() const { return calculations_; }
    // Writes the whole list under "Calculations".
    void setCalculations(std::vector<Calculation> calculations);

    // The input screen's in-progress record; kept in memory only.
    std::optional<Calculation> currentCalculation;

    const std::optional<Calculation>& currentSelectedCalculation() const {
        return currentSelectedCalculation_;
    }
    // Mirrored in the user defaults at once; none removes the key.
    void setCurrentSelectedCalculation(std::optional<Calculation> calculation);

    // Stored entries that are not dictionaries are dropped (a copy of the defaults file is kept beside it
    // first, and the list is written back without them); damaged dictionaries load field by field.
    std::vector<Calculation> loadCalculations();
    std::optional<Calculation> loadCurrentCalculation() const;
    std::optional<Calculation> loadCurrentSelectedCalculation() const;
    void checkHistorySchemaVersion();
    // A record whose dictionary form is not a property-list value cannot be stored and is ignored. False
    // when the history has no room for the record: a history that would go past its budget (or grow
    // while past it, as one stored by an earlier version may be) stays as it is.
    bool addCalculation(const Calculation& calculation, bool replaceExisting);
    // Indices outside the list change nothing.
    void removeCalculation(std::size_t index);
    void moveCalculation(std::size_t from, std::size_t to);
    void clearCalculations();
    std::vector<AnyValue::Dictionary> calculationDictionaries() const;
    void saveCurrentSelectedCalculation();

  private:
    // Writes the whole list; or, when the stored list is still the dictionary form of the list before the
    // change (storedCount entries), applies the same change to it where it is kept, which saves copying a
    // long history for every change.
    void calculationsChanged(std::optional<std::size_t> storedCount = std::nullopt,
                             const std::function<void(AnyValue::Array&)>& change = {});
    void keepStoredHistoryAside(std::size_t unreadable) const;
    std::optional<Calculation> loadRecord(const DefaultsKey<std::optional<AnyValue::Dictionary>>& key) const;

    Defaults defaults_;
    Budget budget_;
    // What the entries of calculations_ take of the budget.
    Budget used_;
    std::vector<Calculation> calculations_;
    // Whether the stored list is exactly calculationDictionaries(); a damaged or differently written
    // stored entry makes the next change rewrite the whole list.
    bool storedListIsCurrent_ = false;
    std::optional<Calculation> currentSelectedCalculation_;
};
