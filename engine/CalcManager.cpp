#include "engine/CalcManager.h"

#include "engine/TextUtilities.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"

#include <algorithm>
#include <iterator>

const DefaultsKey<std::vector<AnyValue::Dictionary>> CalcManager::calculationsKey{"Calculations"};
const DefaultsKey<std::optional<AnyValue::Dictionary>> CalcManager::currentSelectedCalculationKey{
    "CurrentSelectedCalculation"};
const DefaultsKey<std::optional<AnyValue::Dictionary>> CalcManager::currentCalculationKey{
    "CurrentCalculation"};
const DefaultsKey<std::int64_t> CalcManager::lastHistoryDataBaseVersionKey{"lastHistoryDataBaseVersion", 0};
const CalcManager::Budget CalcManager::defaultBudget{PropertyListCoding::Limits{}.values / 4,
                                                     PropertyListCoding::Limits{}.bytes / 4};

namespace {

// What a stored entry takes of the budget.
CalcManager::Budget costOf(AnyValue entry) {
    std::string text;
    const std::optional<std::uint64_t> values = PropertyListCoding::encodeXML(entry, text);
    return {values.value_or(0), text.size()};
}

CalcManager::Budget costOf(const Calculation& calculation) {
    return costOf(AnyValue(calculationToDictionary(calculation)));
}

CalcManager::Budget operator+(CalcManager::Budget a, CalcManager::Budget b) {
    return {a.values + b.values, a.bytes + b.bytes};
}

CalcManager::Budget costOf(const std::vector<Calculation>& calculations) {
    CalcManager::Budget cost;
    for (const Calculation& calculation : calculations)
        cost = cost + costOf(calculation);
    return cost;
}

CalcManager::Budget operator-(CalcManager::Budget a, CalcManager::Budget b) {
    return {a.values - b.values, a.bytes - b.bytes};
}

bool within(CalcManager::Budget used, CalcManager::Budget budget) {
    return used.values <= budget.values && used.bytes <= budget.bytes;
}

} // namespace

std::shared_ptr<CalcManager> CalcManager::shared() {
    static const std::shared_ptr<CalcManager> instance = std::make_shared<CalcManager>();
    return instance;
}

CalcManager::CalcManager(Defaults defaults, Budget budget) : defaults_(std::move(defaults)), budget_(budget) {
    calculations_ = loadCalculations();
    used_ = costOf(calculations_);
    currentCalculation = loadCurrentCalculation();
    currentSelectedCalculation_ = loadCurrentSelectedCalculation();
}

void CalcManager::setCalculations(std::vector<Calculation> calculations) {
    calculations_ = std::move(calculations);
    used_ = costOf(calculations_);
    calculationsChanged();
}

void CalcManager::calculationsChanged(std::optional<std::size_t> storedCount,
                                      const std::function<void(AnyValue::Array&)>& change) {
    defaults_.update(calculationsKey.name(), [&](AnyValue& stored) {
        AnyValue::Array* list = stored.arrayPointer();
        if (change && storedListIsCurrent_ && list != nullptr && list->size() == storedCount) {
            change(*list);
            return;
        }
        std::vector<AnyValue::Dictionary> dictionaries = calculationDictionaries();
        stored = AnyValue(AnyValue::Array(std::make_move_iterator(dictionaries.begin()),
                                          std::make_move_iterator(dictionaries.end())));
    });
    storedListIsCurrent_ = true;
}

void CalcManager::setCurrentSelectedCalculation(std::optional<Calculation> calculation) {
    currentSelectedCalculation_ = std::move(calculation);
    saveCurrentSelectedCalculation();
}

std::vector<Calculation> CalcManager::loadCalculations() {
    const AnyValue stored = defaults_.userDefaults()->objectForKey(calculationsKey.name());
    const AnyValue::Array* list = stored.arrayPointer();
    std::size_t unreadable = list == nullptr && !stored.isNull() ? 1 : 0;
    std::vector<Calculation> loaded;
    storedListIsCurrent_ = list != nullptr;
    if (list) {
        loaded.reserve(list->size());
        for (const AnyValue& element : *list) {
            const AnyValue::Dictionary* dictionary = element.dictionaryPointer();
            if (dictionary == nullptr) {
                ++unreadable;
                continue;
            }
            loaded.push_back(calculationFromDictionary(*dictionary));
            storedListIsCurrent_ =
                storedListIsCurrent_ && calculationToDictionary(loaded.back()) == *dictionary;
        }
    }
    if (unreadable > 0) {
        // Only what cannot be read is dropped, and the file as it was is kept before the history in it is
        // rewritten without it.
        keepStoredHistoryAside(unreadable);
        setCalculations(loaded);
    } else if (loaded.empty()) {
        defaults_.remove(calculationsKey);
        setCalculations({});
    }
    return loaded;
}

void CalcManager::keepStoredHistoryAside(std::size_t unreadable) const {
    const std::filesystem::path file = defaults_.userDefaults()->filePath();
    const Result<std::filesystem::path> copy = FileSystem::copyAside(file, "corrupt");
    DebugConsole::notice("warning: " + std::to_string(unreadable) +
                         " stored calculations could not be read; " +
                         (copy ? "the file as it was is kept as " + copy->string()
                               : "no copy of " + file.string() + " could be kept: " + copy.error()));
}

std::optional<Calculation>
CalcManager::loadRecord(const DefaultsKey<std::optional<AnyValue::Dictionary>>& key) const {
    if (std::optional<AnyValue::Dictionary> stored = defaults_.get(key))
        return calculationFromDictionary(*stored);
    return std::nullopt;
}

std::optional<Calculation> CalcManager::loadCurrentCalculation() const {
    return loadRecord(currentCalculationKey);
}

std::optional<Calculation> CalcManager::loadCurrentSelectedCalculation() const {
    return loadRecord(currentSelectedCalculationKey);
}

void CalcManager::checkHistorySchemaVersion() {
    if (defaults_.get(lastHistoryDataBaseVersionKey) >= historySchemaVersion)
        return;
    defaults_.remove(calculationsKey);
    setCalculations({});
    defaults_.set(lastHistoryDataBaseVersionKey, historySchemaVersion);
}

bool CalcManager::addCalculation(const Calculation& calculation, bool replaceExisting) {
    AnyValue::Dictionary dictionary = calculationToDictionary(calculation);
    if (!AnyValue(dictionary).isPropertyListValue())
        return true;
    auto existing = std::find_if(calculations_.begin(), calculations_.end(), [&](const Calculation& entry) {
        return canonicallyEqual(entry._latexString, calculation._latexString);
    });
    if (existing != calculations_.end() && !replaceExisting)
        return true;
    const Budget used = used_ + costOf(AnyValue(dictionary)) -
                        (existing != calculations_.end() ? costOf(*existing) : Budget{});
    if (!within(used, budget_) && !within(used, used_))
        return false;
    used_ = used;
    const std::size_t storedCount = calculations_.size();
    std::optional<std::ptrdiff_t> replaced;
    if (existing != calculations_.end()) {
        replaced = std::distance(calculations_.begin(), existing);
        calculations_.erase(existing);
    }
    calculations_.insert(calculations_.begin(), calculation);
    // Removing the replaced entry and inserting the new one are written as one change: the list on disk
    // goes from the old history to the new one without the intermediate state.
    calculationsChanged(storedCount, [&](AnyValue::Array& list) {
        if (replaced)
            list.erase(list.begin() + *replaced);
        list.insert(list.begin(), AnyValue(std::move(dictionary)));
    });
    return true;
}

void CalcManager::removeCalculation(std::size_t index) {
    if (index >= calculations_.size())
        return;
    used_ = used_ - costOf(calculations_[index]);
    calculations_.erase(calculations_.begin() + static_cast<std::ptrdiff_t>(index));
    calculationsChanged(calculations_.size() + 1, [&](AnyValue::Array& list) {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    });
}

void CalcManager::moveCalculation(std::size_t from, std::size_t to) {
    if (from >= calculations_.size() || to >= calculations_.size())
        return;
    auto move = [&](auto& list) {
        auto entry = std::move(list[from]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(from));
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(entry));
    };
    move(calculations_);
    calculationsChanged(calculations_.size(), move);
}

void CalcManager::clearCalculations() {
    defaults_.remove(calculationsKey);
    setCalculations({});
}

std::vector<AnyValue::Dictionary> CalcManager::calculationDictionaries() const {
    std::vector<AnyValue::Dictionary> dictionaries;
    dictionaries.reserve(calculations_.size());
    for (const Calculation& calculation : calculations_)
        dictionaries.push_back(calculationToDictionary(calculation));
    return dictionaries;
}

void CalcManager::saveCurrentSelectedCalculation() {
    if (currentSelectedCalculation_)
        defaults_.set(
            currentSelectedCalculationKey,
            std::optional<AnyValue::Dictionary>(calculationToDictionary(*currentSelectedCalculation_)));
    else
        defaults_.remove(currentSelectedCalculationKey);
}
