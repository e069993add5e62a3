#pragma once

#include <string>

// The calculators of the product family, as the remote video catalogue names their topics.
enum class CalculatorCode { ombrel };

// The topic key of a calculator in the video catalogue ("OB" for this one).
std::string calculatorShortKey(CalculatorCode code);
// The user's language when the video catalogue supports it, else "en".
std::string supportedLanguageCode();
