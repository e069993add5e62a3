#include "engine/Calculation.h"

#include "engine/KivoStringOutput.h"

AnyValue::Dictionary calculationToDictionary(const Calculation& calculation) {
    return AnyValue::Dictionary{
        {"_latexString", AnyValue(calculation._latexString)},
        {"inputParameters", AnyValue(calculation.inputParameters)},
        {"solutionSteps",
         AnyValue(AnyValue::Array(calculation.solutionSteps.begin(), calculation.solutionSteps.end()))},
        {"setupParameter", AnyValue(calculation.setupParameter)},
    };
}

Calculation calculationFromDictionary(const AnyValue::Dictionary& dictionary) {
    auto entry = [&](const char* key) -> const AnyValue* {
        auto found = dictionary.find(key);
        return found == dictionary.end() ? nullptr : &found->second;
    };
    Calculation calculation;
    if (const AnyValue* value = entry("inputParameters"))
        calculation.inputParameters =
            value->stringDictionaryValue().value_or(std::map<std::string, std::string>{});
    std::string latex;
    if (const AnyValue* value = entry("_latexString"))
        latex = value->stringValue().value_or("");
    if (const AnyValue* value = entry("solutionSteps"))
        calculation.solutionSteps =
            value->dictionaryArrayValue().value_or(std::vector<AnyValue::Dictionary>{});
    if (const AnyValue* value = entry("setupParameter"))
        calculation.setupParameter = value->dictionaryValue().value_or(AnyValue::Dictionary{});
    calculation._latexString = KivoStringOutput::beautifyLatex(std::move(latex));
    return calculation;
}
