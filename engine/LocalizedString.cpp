#include "engine/LocalizedString.h"

#include "platform/foundation/Bundle.h"

std::string LocalizedString::localized(const std::string& key, const std::string& comment) {
    return Bundle::mainBundle()->localizedString(key, comment, "");
}

const std::string& LocalizedString::fillInYourGivenNumbers() {
    static const std::string text = localized("Fill in your given numbers:", "Fill in your given numbers:");
    return text;
}

const std::string& LocalizedString::yourInput() {
    static const std::string text = localized("Your Input", "The input title in solution view");
    return text;
}

const std::string& LocalizedString::expand() {
    static const std::string text = localized("Expand", "Expand");
    return text;
}

const std::string& LocalizedString::modifiedInput() {
    static const std::string text = localized("Modified Input", "Modified Input");
    return text;
}

const std::string& LocalizedString::result() {
    static const std::string text = localized("Result", "The final result in solution view");
    return text;
}

const std::string& LocalizedString::recommendedVideoIfUnclear() {
    static const std::string text = localized("recommendedVideoIfUnclear", "Recommended video if unclear");
    return text;
}

const std::string& LocalizedString::touchToUnlock() {
    static const std::string text = localized("touchToUnlock", "Touch to unlock");
    return text;
}

const std::string& LocalizedString::insert() {
    static const std::string text = localized("Insert", "Insert");
    return text;
}

const std::string& LocalizedString::calculateVerb() {
    static const std::string text = localized("Calculate Verb", "Calculate");
    return text;
}

const std::string& LocalizedString::cancel() {
    static const std::string text = localized("Cancel", "Cancel");
    return text;
}

const std::string& LocalizedString::rate() {
    static const std::string text = localized("Rate", "Rate");
    return text;
}

const std::string& LocalizedString::send() {
    static const std::string text = localized("Send", "Send");
    return text;
}

const std::string& LocalizedString::close() {
    static const std::string text = localized("Close", "Close");
    return text;
}

const std::string& LocalizedString::thanks() {
    static const std::string text = localized("Thanks", "Thanks");
    return text;
}

const std::string& LocalizedString::cancelMath() {
    static const std::string text = localized("Cancel (math)", "Cancel (math)");
    return text;
}

const std::string& LocalizedString::expectedValue() {
    static const std::string text = localized("Expected value", "Expected value");
    return text;
}

const std::string& LocalizedString::variance() {
    static const std::string text = localized("Variance", "Variance");
    return text;
}

const std::string& LocalizedString::standardDeviation() {
    static const std::string text = localized("Standard deviation", "Standard deviation");
    return text;
}

const std::string& LocalizedString::sampleSize() {
    static const std::string text = localized("Sample Size", "Sample Size");
    return text;
}

const std::string& LocalizedString::mean() {
    static const std::string text = localized("Mean", "Mean");
    return text;
}

const std::string& LocalizedString::empiricalVariance() {
    static const std::string text = localized("Empirical Variance", "Empirical Variance");
    return text;
}

const std::string& LocalizedString::appTitle() {
    static const std::string text = localized("Ombrel", "Ombrel");
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
