#pragma once

// Failure of a catalogue lookup in the bundle.
enum class FormulaError { configurationFailed };

inline const char* formulaErrorText(FormulaError error) {
    switch (error) {
    case FormulaError::configurationFailed:
        return "configurationFailed";
    }
    return "";
}
