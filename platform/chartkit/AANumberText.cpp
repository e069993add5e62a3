#include "platform/chartkit/AANumberText.h"

#include <charconv>
#include <cmath>

namespace {

std::string significant15(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string grouped(const std::string& plain, const std::string& separator) {
    const bool negative = plain.front() == '-';
    const auto integerEnd = plain.find('.');
    const std::string digits = plain.substr(
        negative ? 1 : 0, (integerEnd == std::string::npos ? plain.size() : integerEnd) - (negative ? 1 : 0));
    std::string out = negative ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out.push_back(digits[i]);
    }
    if (integerEnd != std::string::npos)
        out += plain.substr(integerEnd);
    return out;
}

} // namespace

double AANumberText::corrected(double value) {
    if (!std::isfinite(value))
        return value;
    const std::string text = significant15(value);
    double result = value;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::string AANumberText::text(double value, const std::string& thousandsSeparator) {
    if (value == 0)
        return "0";
    std::string text = significant15(value);
    const bool exponentForm = text.find_first_of("e") != std::string::npos;
    if (!exponentForm && std::isfinite(value) && std::fabs(value) >= 10000)
        text = grouped(text, thousandsSeparator);
    return text;
}
