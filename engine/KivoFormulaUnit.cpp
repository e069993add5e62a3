#include "engine/KivoFormulaUnit.h"

#include "engine/CatalogueLoader.h"
#include "platform/foundation/DebugConsole.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

std::shared_ptr<KivoFormulaUnit> KivoFormulaUnit::shared() {
    static const std::shared_ptr<KivoFormulaUnit> instance = std::make_shared<KivoFormulaUnit>();
    return instance;
}

KivoFormulaUnit::KivoFormulaUnit() {
    Result<std::vector<Unit>> loaded = loadCatalogue<Unit>("unitsOfLength");
    if (loaded)
        units = std::move(loaded.value());
    else
        DebugConsole::print(loaded.error());
}

std::string KivoFormulaUnit::replaceDefaultUnit(const std::string& text, bool useKey) const {
    if (!targetUnit || targetUnit->key == defaultUnitKey)
        return text;
    // The key is matched literally; only the word boundaries are pattern syntax.
    icu::UnicodeString pattern = icu::UnicodeString::fromUTF8("\\b\\Q" + defaultUnitKey + "\\E\\b");
    UErrorCode status = U_ZERO_ERROR;
    // The matcher refers to its input; it must outlive the matcher.
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(text);
    icu::RegexMatcher matcher(pattern, input, 0, status);
    if (U_FAILURE(status) || !matcher.find())
        return text;
    matcher.reset();
    const std::string& replacement = useKey ? targetUnit->key : targetUnit->latex;
    // Replacement text is literal as well: "$" and "\" carry no meaning.
    icu::UnicodeString literal = icu::UnicodeString::fromUTF8(replacement);
    literal.findAndReplace("\\", "\\\\");
    literal.findAndReplace("$", "\\$");
    icu::UnicodeString replaced = matcher.replaceAll(literal, status);
    if (U_FAILURE(status))
        return text;
    std::string result;
    replaced.toUTF8String(result);
    return result;
}
