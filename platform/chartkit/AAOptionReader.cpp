#include "platform/chartkit/AAOptionReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

constexpr std::array<std::pair<const char*, unsigned>, 18> namedColors{{
    {"black", 0x000000},
    {"white", 0xffffff},
    {"red", 0xff0000},
    {"green", 0x008000},
    {"blue", 0x0000ff},
    {"yellow", 0xffff00},
    {"orange", 0xffa500},
    {"purple", 0x800080},
    {"gray", 0x808080},
    {"grey", 0x808080},
    {"silver", 0xc0c0c0},
    {"maroon", 0x800000},
    {"navy", 0x000080},
    {"teal", 0x008080},
    {"olive", 0x808000},
    {"lime", 0x00ff00},
    {"aqua", 0x00ffff},
    {"fuchsia", 0xff00ff},
}};

UIColor fromRGB(unsigned rgb, double alpha = 1) {
    return UIColor(((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, alpha);
}

std::optional<UIColor> fromHexDigits(std::string_view digits) {
    unsigned value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    switch (digits.size()) {
    case 3:
        return fromRGB(((value >> 8) & 0xf) * 0x110000 + ((value >> 4) & 0xf) * 0x1100 +
                       (value & 0xf) * 0x11);
    case 6:
        return fromRGB(value);
    case 8:
        return fromRGB(value >> 8, (value & 0xff) / 255.0);
    default:
        return std::nullopt;
    }
}

} // namespace

const nlohmann::json& AAOptionReader::object(const nlohmann::json& parent, const char* key) {
    static const nlohmann::json empty = nlohmann::json::object();
    if (!parent.is_object())
        return empty;
    const auto it = parent.find(key);
    return it != parent.end() && it->is_object() ? *it : empty;
}

std::optional<double> AAOptionReader::number(const nlohmann::json& parent, const char* key) {
    if (!parent.is_object())
        return std::nullopt;
    const auto it = parent.find(key);
    if (it == parent.end() || !it->is_number() || !std::isfinite(it->get<double>()))
        return std::nullopt;
    return it->get<double>();
}

double AAOptionReader::number(const nlohmann::json& parent, const char* key, double fallback) {
    return number(parent, key).value_or(fallback);
}

std::string AAOptionReader::text(const nlohmann::json& parent, const char* key, const std::string& fallback) {
    if (!parent.is_object())
        return fallback;
    const auto it = parent.find(key);
    return it != parent.end() && it->is_string() ? it->get<std::string>() : fallback;
}

bool AAOptionReader::flag(const nlohmann::json& parent, const char* key, bool fallback) {
    if (!parent.is_object())
        return fallback;
    const auto it = parent.find(key);
    return it != parent.end() && it->is_boolean() ? it->get<bool>() : fallback;
}

std::optional<UIColor> AAOptionReader::color(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    if (text.front() == '#')
        return fromHexDigits(std::string_view(text).substr(1));
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (lower == "transparent")
        return UIColor::clearColor();
    for (const auto& [name, rgb] : namedColors)
        if (lower == name)
            return fromRGB(rgb);
    return std::nullopt;
}

UIColor AAOptionReader::color(const nlohmann::json& parent, const char* key, const UIColor& fallback) {
    return color(text(parent, key, "")).value_or(fallback);
}
