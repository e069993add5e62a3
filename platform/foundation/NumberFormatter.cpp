#include "platform/foundation/NumberFormatter.h"

#include <unicode/numberformatter.h>
#include <unicode/unistr.h>
#include <unicode/unum.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace {

struct FormatDeleter {
    void operator()(UNumberFormat* format) const { unum_close(format); }
};

} // namespace

NumberFormatter::NumberFormatter() : locale_(Locale::currentLocale()) {}

void NumberFormatter::setNumberStyle(Style style) {
    style_ = style;
    minimumFractionDigits_ = 0;
    maximumFractionDigits_ = style == Style::decimal ? 3 : 0;
    grouping_ = style == Style::decimal;
}

void NumberFormatter::setMaximumFractionDigits(int digits) {
    maximumFractionDigits_ = std::clamp(digits, 0, 999);
    minimumFractionDigits_ = std::min(minimumFractionDigits_, maximumFractionDigits_);
}

void NumberFormatter::setMinimumFractionDigits(int digits) {
    minimumFractionDigits_ = std::clamp(digits, 0, 999);
    maximumFractionDigits_ = std::max(minimumFractionDigits_, maximumFractionDigits_);
}

std::string NumberFormatter::stringFromNumber(double value) const {
    using namespace icu::number;
    // Building an ICU formatter reads locale data and costs far more than formatting; each thread keeps
    // the formatters of the settings it has used.
    using Settings = std::tuple<std::string, int, int, bool>;
    thread_local std::map<Settings, LocalizedNumberFormatter> formatters;
    Settings settings{locale_.localeIdentifier(), minimumFractionDigits_, maximumFractionDigits_, grouping_};
    auto found = formatters.find(settings);
    if (found == formatters.end()) {
        found =
            formatters
                .emplace(
                    settings,
                    icu::number::NumberFormatter::withLocale(icu::Locale(locale_.localeIdentifier().c_str()))
                        .precision(Precision::minMaxFraction(minimumFractionDigits_, maximumFractionDigits_))
                        .roundingMode(UNUM_ROUND_HALFEVEN)
                        .grouping(grouping_ ? UNUM_GROUPING_AUTO : UNUM_GROUPING_OFF))
                .first;
    }
    UErrorCode status = U_ZERO_ERROR;
    const FormattedNumber formatted = found->second.formatDouble(value, status);
    std::string text;
    formatted.toString(status).toUTF8String(text);
    return U_SUCCESS(status) ? text : std::string();
}

std::optional<double> NumberFormatter::numberFromString(std::string_view text) const {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UNumberFormat, FormatDeleter> format(
        unum_open(UNUM_DECIMAL, nullptr, 0, locale_.localeIdentifier().c_str(), nullptr, &status));
    if (U_FAILURE(status))
        return std::nullopt;
    unum_setAttribute(format.get(), UNUM_LENIENT_PARSE, 0);
    unum_setAttribute(format.get(), UNUM_GROUPING_USED, grouping_ ? 1 : 0);
    // Exponent form ("1e+06", as "%g" writes it) is not a decimal-style number.
    unum_setAttribute(format.get(), UNUM_PARSE_NO_EXPONENT, 1);
    const icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    if (unicode.isEmpty())
        return std::nullopt;
    int32_t position = 0;
    const double value =
        unum_parseDouble(format.get(), unicode.getBuffer(), unicode.length(), &position, &status);
    if (U_FAILURE(status) || position != unicode.length())
        return std::nullopt;
    return value;
}
