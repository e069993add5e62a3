#pragma once

#include "platform/foundation/AnyValue.h"

#include <map>
#include <string>

// The app's fixed texts, each translated once on first use and kept; a key missing from the catalogue
// shows the key itself.
namespace LocalizedString {

// One catalogue lookup: the translation of the key, else the key itself.
std::string localized(const std::string& key, const std::string& comment);

const std::string& fillInYourGivenNumbers();
const std::string& yourInput();
const std::string& expand();
const std::string& modifiedInput();
const std::string& result();
const std::string& recommendedVideoIfUnclear();
const std::string& touchToUnlock();
const std::string& insert();
const std::string& calculateVerb();
const std::string& cancel();
const std::string& rate();
const std::string& send();
const std::string& close();
const std::string& thanks();
const std::string& cancelMath();
const std::string& expectedValue();
const std::string& variance();
const std::string& standardDeviation();
const std::string& sampleSize();
const std::string& mean();
const std::string& empiricalVariance();
const std::string& appTitle();

// The setup of the example calculation: "inputCalculationSelection" 1 and "appKey" "OB".
const AnyValue::Dictionary& appKeyDictionary();
// The inputs of the example calculation that the history holds from the first start.
const std::map<std::string, std::string>& defaultExampleInputs();

} // namespace LocalizedString
