#pragma once

#include "platform/foundation/AnyValue.h"

#include <string>

// One configuration value: the text kept under a key, or nothing.
class RIDAruzovAduradValue {
  public:
    explicit RIDAruzovAduradValue(std::string text = {}) : text_(std::move(text)) {}

    // The text as bytes; empty when the key holds nothing.
    AnyValue::Data dataValue() const { return AnyValue::Data(text_.begin(), text_.end()); }

  private:
    std::string text_;
};
