#include "engine/LocalizedString.h"

#include "platform/foundation/Bundle.h"

namespace {

std::string translated(const char* key, const char* comment) {
    return Bundle::mainBundle()->localizedString(key, comment, "");
}

} // namespace

const std::string& LocalizedString::fillInYourGivenNumbers() {
    static const std::string text = translated("Fill in your given numbers:", "Fill in your given numbers:");
    return text;
}

const std::string& LocalizedString::yourInput() {
    static const std::string text = translated("Your Input", "The input title in solution view");
    return text;
}

const std::string& LocalizedString::expand() {
    static const std::string text = translated("Expand", "Expand");
    return text;
}

const std::string& LocalizedString::modifiedInput() {
    static const std::string text = translated("Modified Input", "Modified Input");
    return text;
}

const std::string& LocalizedString::result() {
    static const std::string text = translated("Result", "The final result in solution view");
    return text;
}

const std::string& LocalizedString::recommendedVideoIfUnclear() {
    static const std::string text = translated("recommendedVideoIfUnclear", "Recommended video if unclear");
    return text;
}

const std::string& LocalizedString::touchToUnlock() {
    static const std::string text = translated("touchToUnlock", "Touch to unlock");
    return text;
}

const std::string& LocalizedString::insert() {
    static const std::string text = translated("Insert", "Insert");
    return text;
}

const std::string& LocalizedString::calculateVerb() {
    static const std::string text = translated("Calculate Verb", "Calculate");
    return text;
}

const std::string& LocalizedString::cancel() {
    static const std::string text = translated("Cancel", "Cancel");
    return text;
}

const std::string& LocalizedString::rate() {
    static const std::string text = translated("Rate", "Rate");
    return text;
}

const std::string& LocalizedString::send() {
    static const std::string text = translated("Send", "Send");
    return text;
}

const std::string& LocalizedString::close() {
    static const std::string text = translated("Close", "Close");
    return text;
}

const std::string& LocalizedString::thanks() {
    static const std::string text = translated("Thanks", "Thanks");
    return text;
}

const std::string& LocalizedString::cancelMath() {
    static const std::string text = translated("Cancel (math)", "Cancel (math)");
    return text;
}

const std::string& LocalizedString::expectedValue() {
    static const std::string text = translated("Expected value", "Expected value");
    return text;
}

const std::string& LocalizedString::variance() {
    static const std::string text = translated("Variance", "Variance");
    return text;
}

const std::string& LocalizedString::standardDeviation() {
    static const std::string text = translated("Standard deviation", "Standard deviation");
    return text;
}

const std::string& LocalizedString::sampleSize() {
    static const std::string text = translated("Sample Size", "Sample Size");
    return text;
}

const std::string& LocalizedString::mean() {
    static const std::string text = translated("Mean", "Mean");
    return text;
}

const std::string& LocalizedString::empiricalVariance() {
    static const std::string text = translated("Empirical Variance", "Empirical Variance");
    return text;
}

const std::string& LocalizedString::appTitle() {
    static const std::string text = translated("Ombrel", "Ombrel");
    return text;
}

const AnyValue::Dictionary& LocalizedString::appKeyDictionary() {
    static const AnyValue::Dictionary dictionary{{"inputCalculationSelection", AnyValue(1)},
                                                 {"appKey", AnyValue("OB")}};
    return dictionary;
}

const std::map<std::string, std::string>& LocalizedString::defaultExampleInputs() {
    static const std::map<std::string, std::string> inputs{
        {"event0", "4"}, {"probability0", "0.3"},  {"event1", "5"}, {"probability1", "0.25"},
        {"event2", "3"}, {"probability2", "0.4"},  {"event3", "7"}, {"probability3", "0.04"},
        {"event4", "4"}, {"probability4", "0.01"},
    };
    return inputs;
}
