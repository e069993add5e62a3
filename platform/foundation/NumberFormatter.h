#pragma once

#include "platform/foundation/Locale.h"

#include <optional>
#include <string>
#include <string_view>

// Number text through ICU with an explicit locale, never the process locale. Defaults as the platform:
// style none (whole numbers, no grouping), the current locale, half-even rounding. Choosing a style
// resets the digits and grouping to that style's defaults (decimal: 0 to 3 fraction digits, grouping).
class NumberFormatter {
  public:
    enum class Style { none, decimal };

    NumberFormatter();

    void setNumberStyle(Style style);
    void setLocale(const Locale& locale) { locale_ = locale; }
    void setMaximumFractionDigits(int digits);
    void setMinimumFractionDigits(int digits);
    void setUsesGroupingSeparator(bool uses) { grouping_ = uses; }

    Style numberStyle() const { return style_; }
    const Locale& locale() const { return locale_; }
    int maximumFractionDigits() const { return maximumFractionDigits_; }
    int minimumFractionDigits() const { return minimumFractionDigits_; }
    bool usesGroupingSeparator() const { return grouping_; }

    // Not-a-number and infinities come out with ICU's symbols ("NaN", "∞", "-∞" in English).
    std::string stringFromNumber(double value) const;
    // The whole text must be a number in this formatter's style and locale; nothing otherwise.
    std::optional<double> numberFromString(std::string_view text) const;

  private:
    Style style_ = Style::none;
    Locale locale_;
    int maximumFractionDigits_ = 0;
    int minimumFractionDigits_ = 0;
    bool grouping_ = false;
};
