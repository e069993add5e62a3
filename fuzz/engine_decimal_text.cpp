// The engine's number text against the platform formatter, on every bit pattern of a double.
#include "engine/EnglishDecimalText.h"
#include "platform/foundation/NumberFormatter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double) + 1)
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const int digits = data[sizeof value] % 20;
    NumberFormatter formatter;
    formatter.setNumberStyle(NumberFormatter::Style::decimal);
    formatter.setLocale(Locale("en_US"));
    formatter.setUsesGroupingSeparator(false);
    formatter.setMaximumFractionDigits(digits);
    const std::string expected = std::isnan(value) ? "NaN" : formatter.stringFromNumber(value);
    if (englishDecimalText(value, digits) != expected)
        __builtin_trap();
    return 0;
}
