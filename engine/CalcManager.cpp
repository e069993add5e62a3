#include "engine/CalcManager.h"

#include "engine/TextUtilities.h"

#include <algorithm>
#include <iterator>

const DefaultsKey<std::vector<AnyValue::Dictionary>> CalcManager::calculationsKey{"Calculations"};
const DefaultsKey<std::optional<AnyValue::Dictionary>> CalcManager::currentSelectedCalculationKey{
    "CurrentSelectedCalculation"};
const DefaultsKey<std::optional<AnyValue::Dictionary>> CalcManager::currentCalculationKey{
    "CurrentCalculation"};
const DefaultsKey<std::int64_t> CalcManager::lastHistoryDataBaseVersionKey{"lastHistoryDataBaseVersion", 0};

std::shared_ptr<CalcManager> CalcManager::shared() {
    static const std::shared_ptr<CalcManager> instance = std::make_shared<CalcManager>();
    return instance;
}

CalcManager::CalcManager(Defaults defaults) : defaults_(std::move(defaults)) {
    calculations_ = loadCalculations();
    dictionaries_.clear();
    for (const Calculation& calculation : calculations_)
        dictionaries_.push_back(calculationToDictionary(calculation));
    currentCalculation = loadCurrentCalculation();
    currentSelectedCalculation_ = loadCurrentSelectedCalculation();
}

void CalcManager::setCalculations(std::vector<Calculation> calculations) {
    calculations_ = std::move(calculations);
    dictionaries_.clear();
    dictionaries_.reserve(calculations_.size());
    for (const Calculation& calculation : calculations_)
        dictionaries_.push_back(calculationToDictionary(calculation));
    calculationsChanged();
}

void CalcManager::calculationsChanged() {
    defaults_.set(calculationsKey, dictionaries_);
}

void CalcManager::setCurrentSelectedCalculation(std::optional<Calculation> calculation) {
    currentSelectedCalculation_ = std::move(calculation);
    saveCurrentSelectedCalculation();
}

std::vector<Calculation> CalcManager::loadCalculations() {
    const std::vector<AnyValue::Dictionary> stored = defaults_.get(calculationsKey);
    if (stored.empty()) {
        defaults_.remove(calculationsKey);
        setCalculations({});
        return {};
    }
    std::vector<Calculation> loaded;
    loaded.reserve(stored.size());
    for (const AnyValue::Dictionary& dictionary : stored)
        loaded.push_back(calculationFromDictionary(dictionary));
    return loaded;
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

void CalcManager::addCalculation(const Calculation& calculation, bool replaceExisting) {
    AnyValue::Dictionary dictionary = calculationToDictionary(calculation);
    if (!AnyValue(dictionary).isPropertyListValue())
        return;
    auto existing = std::find_if(calculations_.begin(), calculations_.end(), [&](const Calculation& entry) {
        return canonicallyEqual(entry._latexString, calculation._latexString);
    });
    if (existing != calculations_.end()) {
        if (!replaceExisting)
            return;
        const auto position = std::distance(calculations_.begin(), existing);
        calculations_.erase(existing);
        dictionaries_.erase(dictionaries_.begin() + position);
        calculationsChanged();
    }
    calculations_.insert(calculations_.begin(), calculation);
    dictionaries_.insert(dictionaries_.begin(), std::move(dictionary));
    calculationsChanged();
}

void CalcManager::removeCalculation(std::size_t index) {
    if (index >= calculations_.size())
        return;
    calculations_.erase(calculations_.begin() + static_cast<std::ptrdiff_t>(index));
    dictionaries_.erase(dictionaries_.begin() + static_cast<std::ptrdiff_t>(index));
    calculationsChanged();
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
    move(dictionaries_);
    calculationsChanged();
}

void CalcManager::clearCalculations() {
    defaults_.remove(calculationsKey);
    setCalculations({});
}

std::vector<AnyValue::Dictionary> CalcManager::calculationDictionaries() const {
    return dictionaries_;
}

void CalcManager::saveCurrentSelectedCalculation() {
    if (currentSelectedCalculation_)
        defaults_.set(
            currentSelectedCalculationKey,
            std::optional<AnyValue::Dictionary>(calculationToDictionary(*currentSelectedCalculation_)));
    else
        defaults_.remove(currentSelectedCalculationKey);
}
