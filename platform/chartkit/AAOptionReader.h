#pragma once

#include "platform/graphics/UIColor.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// Typed reading of option-tree fields; a missing field or one of another type gives the fallback.
class AAOptionReader {
  public:
    static const nlohmann::json& object(const nlohmann::json& parent, const char* key);
    static double number(const nlohmann::json& parent, const char* key, double fallback);
    static std::optional<double> number(const nlohmann::json& parent, const char* key);
    static std::string text(const nlohmann::json& parent, const char* key, const std::string& fallback);
    static bool flag(const nlohmann::json& parent, const char* key, bool fallback);
    // A colour text: "#rgb", "#rrggbb", "#rrggbbaa" or a basic CSS colour name ("red").
    static std::optional<UIColor> color(const std::string& text);
    static UIColor color(const nlohmann::json& parent, const char* key, const UIColor& fallback);
};
