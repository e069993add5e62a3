#include "engine/KivoInputManager.h"

#include "engine/EnglishDecimalText.h"
#include "engine/KivoDigitAnalyser.h"
#include "engine/KivoFormulaSymbol.h"
#include "engine/KivoFormulaUnit.h"
#include "engine/KivoMathOperation.h"
#include "engine/LocalizedString.h"
#include "engine/TextUtilities.h"
#include "engine/TypedNumber.h"
#include "platform/foundation/CLocaleNumbers.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cmath>

std::shared_ptr<KivoInputManager> KivoInputManager::shared() {
    static const std::shared_ptr<KivoInputManager> instance = std::make_shared<KivoInputManager>();
    return instance;
}

namespace {

const std::string inputParameterError = "inputParameterError";

bool isLetter(std::string_view character) {
    UChar32 codePoint = 0;
    std::int32_t offset = 0;
    U8_NEXT(character.data(), offset, static_cast<std::int32_t>(character.size()), codePoint);
    return codePoint >= 0 && u_isalpha(codePoint);
}

// A lone symbol (or its negative) stands for 1 (or -1); anywhere else it is dropped from the number.
std::string withoutSymbol(const std::string& text, const std::string& symbol) {
    if (text == symbol || text == "-" + symbol)
        return replacingAll(text, symbol, "1");
    return replacingAll(text, symbol, "");
}

// A double holds at most this many fraction digits exactly; a number typed with more is not expanded.
constexpr std::size_t mostExpandedFractionDigits = 15;

// Whether the shortest decimal text of a double can be expanded: a finite number with few enough
// fraction digits.
bool isExpandable(double value, std::string_view decimalText) {
    const std::size_t point = decimalText.find('.');
    return std::isfinite(value) &&
           (point == std::string_view::npos || decimalText.size() - point - 1 <= mostExpandedFractionDigits);
}

// The number a plain decimal text spells, times 10^k: its digits shifted, so that a number written
// with k decimals becomes exactly the whole number they spell. None beyond 2^53, where a double no
// longer holds every whole number (99999999.99999999 would become 10^16 over 10^8).
std::optional<double> scaledByPowerOfTen(const std::string& decimalText, int k) {
    const double scaled = CLocaleNumbers::parseDouble(decimalText + "e" + std::to_string(k)).value();
    if (std::fabs(scaled) > twoToThe53)
        return std::nullopt;
    return scaled;
}

// Whether a step may rewrite a term with this numerator or denominator: it is the number typed and lies
// within 2^53, so that every number an expansion or cancellation shows is the exact number it stands for.
bool isRewritable(const TermParse& part) {
    return part.holdsTypedDigits && std::fabs(*part.value) <= twoToThe53;
}

std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return text;
}

} // namespace

ProcessedInputs KivoInputManager::processInputs(const std::vector<std::string>& texts,
                                                const std::vector<std::int64_t>& tags,
                                                const std::vector<std::string>& fieldIds,
                                                const std::vector<std::string>& inputFormat,
                                                bool withInputSteps, bool isAllFractionIfOccuredOnce,
                                                bool isDecimalEliminationForced, FormatMode inputFormatMode,
                                                const std::string& subcategory, const std::string& topic,
                                                std::int64_t minimumFilledCount, bool requireAllFilled,
                                                const std::vector<std::string>& requiredFieldIds) {
    isAnyNumberChanged = false;
    this->isAllFractionIfOccuredOnce = isAllFractionIfOccuredOnce;
    this->isDecimalEliminationForced = isDecimalEliminationForced;
    isWithFraction = false;
    this->inputFormatMode = inputFormatMode;
    allTextFieldTexts = texts;
    allInputs.clear();
    isRewritable_.clear();
    this->inputFormat = inputFormat;
    inputSymbols.clear();
    this->subcategory = subcategory;
    this->topic = topic;

    isTagUsed = !tags.empty();
    if (isTagUsed) {
        allTextFieldIds.clear();
        for (std::int64_t tag : tags)
            allTextFieldIds.push_back(std::to_string(tag));
    } else {
        allTextFieldIds = fieldIds;
    }

    ProcessedInputs result;
    InputCheck check = checkEnoughInputs(minimumFilledCount, requireAllFilled, requiredFieldIds);
    if (check.error) {
        result.error = std::move(check.error);
        result.errorFieldTags = std::move(check.errorFieldTags);
        result.errorFieldIds = std::move(check.errorFieldIds);
        result.isWithFraction = isWithFraction;
        return result;
    }
    if (std::optional<FieldError> failure = parseInputs()) {
        result.error = failure->error;
        if (failure->tag)
            result.errorFieldTags = std::vector<std::int64_t>{*failure->tag};
        result.errorFieldIds = std::vector<std::string>{failure->fieldId};
        result.isWithFraction = isWithFraction;
        return result;
    }
    if (inputFormatMode == FormatMode::variables)
        resolveInputSymbols();
    if (withInputSteps)
        inputSteps(true);
    changedInputSteps();
    cancelDownStep();
    moveDenominatorSign();
    if (isAnyNumberChanged && inputFormatMode == FormatMode::formula && withInputSteps)
        inputSteps(false);

    result.allInputs = allInputs;
    result.isWithFraction = isWithFraction;
    result.solutionSteps = outputHelper->solutionSteps;
    return result;
}

std::string KivoInputManager::fieldId(std::size_t index) const {
    return index < allTextFieldIds.size() ? allTextFieldIds[index] : std::string();
}

KivoInputManager::FieldError KivoInputManager::fieldError(std::string error, std::size_t index) const {
    FieldError failure{std::move(error), fieldId(index), std::nullopt};
    if (isTagUsed)
        failure.tag = parseInt64(failure.fieldId);
    return failure;
}

KivoInputManager::InputCheck
KivoInputManager::checkEnoughInputs(std::int64_t minimumFilledCount, bool requireAllFilled,
                                    const std::vector<std::string>& requiredFieldIds) const {
    std::vector<std::string> emptyFieldIds;
    if (requiredFieldIds.empty()) {
        const std::int64_t limit =
            requireAllFilled ? static_cast<std::int64_t>(allTextFieldTexts.size()) : minimumFilledCount;
        std::int64_t filled = 0;
        for (std::size_t i = 0; i < allTextFieldTexts.size(); ++i) {
            if (allTextFieldTexts[i].empty())
                emptyFieldIds.push_back(fieldId(i));
            else
                ++filled;
            if (filled >= limit)
                return {};
        }
    } else {
        for (std::size_t i = 0; i < allTextFieldTexts.size(); ++i)
            if (allTextFieldTexts[i].empty() && std::find(requiredFieldIds.begin(), requiredFieldIds.end(),
                                                          fieldId(i)) != requiredFieldIds.end())
                emptyFieldIds.push_back(fieldId(i));
        if (emptyFieldIds.empty())
            return {};
    }
    InputCheck check;
    check.error = "notEnoughInputValues";
    if (isTagUsed && !emptyFieldIds.empty()) {
        std::vector<std::int64_t> tags;
        for (const std::string& id : emptyFieldIds)
            if (std::optional<std::int64_t> tag = parseInt64(id))
                tags.push_back(*tag);
        check.errorFieldTags = std::move(tags);
    }
    check.errorFieldIds = std::move(emptyFieldIds);
    return check;
}

std::optional<KivoInputManager::FieldError> KivoInputManager::parseInputs() {
    for (std::size_t i = 0; i < allTextFieldTexts.size(); ++i) {
        const std::string& text = allTextFieldTexts[i];
        if (!contains(text, "/"))
            continue;
        isWithFraction = true;
        KivoMathOperation::shared()->withFraction = true;
        if (std::count(text.begin(), text.end(), '/') >= 2)
            return fieldError(inputParameterError, i);
    }

    for (std::size_t i = 0; i < allTextFieldTexts.size(); ++i) {
        auto term = std::make_shared<Digit>();
        bool rewritable = true;
        std::string s = allTextFieldTexts[i];
        std::erase_if(s, [](char c) { return c == '(' || c == ')'; });

        if (s.empty()) {
            // Parentheses alone would leave a term without a number.
            if (!allTextFieldTexts[i].empty())
                return fieldError(inputParameterError, i);
        } else if (contains(s, "/") || (isWithFraction && isAllFractionIfOccuredOnce)) {
            std::string numeratorText = s;
            std::string denominatorText = "1";
            if (contains(s, "/")) {
                std::vector<std::string_view> pieces = splitDroppingEmpty(s, "/");
                if (pieces.size() < 2)
                    return fieldError("fractionIncomplete", i);
                numeratorText = std::string(pieces.front());
                denominatorText = std::string(pieces.back());
            }
            TermParse numerator = parseTerm(numeratorText);
            if (numerator.error)
                return fieldError(*numerator.error, i);
            TermParse denominator = parseTerm(denominatorText);
            if (denominator.error)
                return fieldError(*denominator.error, i);
            if (*denominator.value == 0)
                return fieldError("inputZeroInDenominator", i);
            term->z = numerator.value;
            term->zConstants = *numerator.constants;
            term->zVariable = *numerator.variable;
            term->powerOfZVariable = *numerator.power;
            term->n = *denominator.value;
            term->nConstants = *denominator.constants;
            term->nVariable = *denominator.variable;
            term->powerOfNVariable = *denominator.power;
            rewritable = isRewritable(numerator) && isRewritable(denominator);
        } else {
            TermParse single = parseTerm(s);
            if (single.error)
                return fieldError(*single.error, i);
            term->z = single.value;
            term->zConstants = *single.constants;
            term->zVariable = *single.variable;
            term->powerOfZVariable = *single.power;
            rewritable = isRewritable(single);
        }
        allInputs.push_back(std::move(term));
        isRewritable_.push_back(rewritable);
    }
    return std::nullopt;
}

TermParse KivoInputManager::parseTerm(const std::string& text) const {
    TermParse parsed;
    // A plain number, the usual field, holds neither a constant nor a letter.
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
    });
    ConstantsParse constants =
        plain ? ConstantsParse{std::vector<NaturalConstant>(), std::nullopt} : parseNaturalConstants(text);
    if (constants.error) {
        parsed.error = std::move(constants.error);
        return parsed;
    }
    std::string rest = text;
    for (const NaturalConstant& constant : *constants.constants)
        rest = withoutSymbol(rest, constant.key);

    VariableParse variable = plain ? VariableParse{std::string(), 0.0, std::nullopt} : parseVariable(rest);
    if (variable.error) {
        parsed.error = std::move(variable.error);
        return parsed;
    }
    if (!variable.variable->empty())
        rest = withoutSymbol(rest, *variable.variable);

    std::optional<double> value = parseDecimal(rest);
    if (!value) {
        parsed.error = inputParameterError;
        return parsed;
    }
    parsed.value = value;
    const std::optional<TypedDecimal> typed = typedDecimal(rest);
    parsed.holdsTypedDigits = typed && isShortestDecimalOf(*typed, *value);
    parsed.constants = std::move(constants.constants);
    parsed.variable = std::move(variable.variable);
    parsed.power = variable.power;
    return parsed;
}

KivoInputManager::ConstantsParse KivoInputManager::parseNaturalConstants(const std::string& text) const {
    const std::vector<std::string_view> characters = characterClusters(text);
    const NaturalConstant* found = nullptr;
    std::size_t count = 0;
    for (std::string_view character : characters) {
        for (const NaturalConstant* constant : {&NaturalConstant::pi, &NaturalConstant::e}) {
            if (character == constant->key) {
                found = constant;
                ++count;
            }
        }
    }
    if (count > 1)
        return {std::nullopt, "toManyNaturalConstantsInSubstring"};
    if (count == 1 && characters.back() != found->key)
        return {std::nullopt, "naturalConstantInWrongPositionOfSubstring"};
    std::vector<NaturalConstant> constants;
    if (found != nullptr)
        constants.push_back(*found);
    return {std::move(constants), std::nullopt};
}

KivoInputManager::VariableParse KivoInputManager::parseVariable(const std::string& text) const {
    const std::vector<std::string_view> characters = characterClusters(text);
    std::vector<std::size_t> letterPositions;
    for (std::size_t i = 0; i < characters.size(); ++i)
        if (isLetter(characters[i]))
            letterPositions.push_back(i);
    if (letterPositions.size() >= 2)
        return {std::nullopt, std::nullopt, "toManyVariablesInSubstring"};
    if (letterPositions.size() == 1 && letterPositions.front() != characters.size() - 1)
        return {std::nullopt, std::nullopt, "naturalConstantInWrongPositionOfSubstring"};
    if (letterPositions.empty())
        return {std::string(), 0.0, std::nullopt};
    return {std::string(characters[letterPositions.front()]), 1.0, std::nullopt};
}

void KivoInputManager::changedInputSteps() {
    std::vector<std::pair<std::size_t, std::string>> entries;
    for (std::size_t i = 0; i < allInputs.size() && i < allTextFieldTexts.size(); ++i) {
        Digit& d = *allInputs[i];
        if (allTextFieldTexts[i].empty() || !d.z || !isRewritable_[i])
            continue;
        const bool expands =
            (isWithFraction && isAllFractionIfOccuredOnce) || isDecimalEliminationForced || d.n != 1.0;
        if (!expands)
            continue;
        // The numbers as typed: the shortest decimals that give back the doubles.
        const std::string zs = shortestDecimalText(*d.z);
        const std::string ns = shortestDecimalText(d.n);
        const int k = static_cast<int>(KivoDigitAnalyser::analyseDigits(zs, ns));
        if (k == 0 || !isExpandable(*d.z, zs) || !isExpandable(d.n, ns))
            continue;
        const std::optional<double> z = scaledByPowerOfTen(zs, k);
        const std::optional<double> n = scaledByPowerOfTen(ns, k);
        if (!z || !n)
            continue;

        const std::string before = KivoStringOutput::termLatexInFull(d, false, false);
        const std::string factor = "1" + std::string(static_cast<std::size_t>(k), '0');
        const std::string expansion =
            "\\frac{" + zs + " \\cdot " + factor + "}{" + ns + " \\cdot " + factor + "}";
        d.z = *z;
        d.n = *n;
        const std::string after = KivoStringOutput::termLatexInFull(d, false, false);
        if (inputFormatMode == FormatMode::formula)
            entries.emplace_back(i, before + " = " + expansion + " = " + after);
        else
            entries.emplace_back(i, expansion + " = " + after);
        isAnyNumberChanged = true;
        isWithFraction = true;
    }

    std::vector<SolutionStep>& steps = outputHelper->solutionSteps;
    if (inputFormatMode == FormatMode::formula) {
        for (std::size_t j = 0; j < entries.size(); ++j)
            steps.push_back(makeSolutionStep(j == 0 ? LocalizedString::expand() : "", entries[j].second));
        return;
    }
    for (const auto& [field, entry] : entries) {
        if (field >= inputFormat.size() || field >= inputSymbols.size())
            continue;
        const std::string prefix = replacingAll(inputFormat[field], "%0", "");
        for (SolutionStep& step : steps)
            step =
                KivoStringOutput::latexStringHasPrefix(std::move(step), prefix, entry, inputSymbols[field]);
    }
}

void KivoInputManager::cancelDownStep() {
    bool first = true;
    for (std::size_t i = 0; i < allInputs.size(); ++i) {
        std::shared_ptr<Digit>& term = allInputs[i];
        if (!isRewritable_[i])
            continue;
        std::optional<CancelledTerm> cancelled = KivoMathOperation::shared()->cancelDown(*term);
        if (!cancelled)
            continue;
        std::string latex = KivoStringOutput::termLatexInFull(*term, false, true) + "= " + cancelled->latex;
        term = std::move(cancelled->term);
        outputHelper->solutionSteps.push_back(
            makeSolutionStep(first ? LocalizedString::cancelMath() : "", std::move(latex)));
        first = false;
        isAnyNumberChanged = true;
    }
}

void KivoInputManager::moveDenominatorSign() {
    for (const std::shared_ptr<Digit>& term : allInputs) {
        if (term->z && term->n < 0) {
            term->z = -*term->z;
            term->n = -term->n;
            isAnyNumberChanged = true;
        }
    }
}

void KivoInputManager::inputSteps(bool flag) {
    std::vector<std::string> latexes;
    for (const std::shared_ptr<Digit>& term : allInputs)
        latexes.push_back(term->z ? KivoStringOutput::termLatex(*term, "", false, false, flag, 10) : " ? ");
    const std::string& title =
        isAnyNumberChanged ? LocalizedString::modifiedInput() : LocalizedString::yourInput();
    std::vector<SolutionStep>& steps = outputHelper->solutionSteps;

    if (inputFormatMode == FormatMode::formula) {
        std::string latex = inputFormat.empty() ? std::string() : inputFormat.front();
        for (std::size_t i = 0; i < latexes.size(); ++i)
            replaceAll(latex, "%" + std::to_string(i), latexes[i]);
        steps.push_back(makeSolutionStep(title, std::move(latex)));
        return;
    }
    for (std::size_t i = 0; i < latexes.size() && i < inputFormat.size(); ++i) {
        const std::string unit =
            i < inputSymbols.size()
                ? KivoFormulaUnit::shared()->replaceDefaultUnit(inputSymbols[i].unit, false)
                : "";
        steps.push_back(makeSolutionStep(i == 0 ? title : "",
                                         replacingAll(inputFormat[i], "%0", latexes[i]) + " " + unit + "\n"));
    }
}

void KivoInputManager::resolveInputSymbols() {
    std::shared_ptr<KivoFormulaSymbol> catalogue = KivoFormulaSymbol::shared();
    for (std::string& element : inputFormat) {
        const std::string name = withoutBlanks(element.substr(0, element.find('=')));
        if (catalogue->symbols.empty() || catalogue->currentTopic != topic)
            catalogue->loadSymbols(topic);
        auto symbol =
            std::find_if(catalogue->symbols.begin(), catalogue->symbols.end(), [&](const Symbol& s) {
                return s.subcategory == subcategory && s.topic == topic && s.key == name;
            });
        if (symbol == catalogue->symbols.end()) {
            // An unknown name keeps its place with no LaTeX and no unit, so that symbols stay aligned
            // with the fields.
            Symbol unknown;
            unknown.key = name;
            unknown.latex = name;
            inputSymbols.push_back(std::move(unknown));
            continue;
        }
        if (const std::size_t at = element.find(name); at != std::string::npos && !name.empty())
            element.replace(at, name.size(), symbol->latex);
        inputSymbols.push_back(*symbol);
    }
}
