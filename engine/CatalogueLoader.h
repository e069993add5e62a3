#pragma once

#include "engine/FormulaError.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/Result.h"

#include <string>
#include <vector>

// Reads the JSON array "<resourceName>.json" of the main bundle as records. A missing or unreadable
// file fails as "configurationFailed"; a file that does not fit the record layout fails with the
// decoder's description.
template <typename Record> Result<std::vector<Record>> loadCatalogue(const std::string& resourceName) {
    auto path = Bundle::mainBundle()->pathForResource(resourceName, "json");
    if (!path)
        return Result<std::vector<Record>>::failure(formulaErrorText(FormulaError::configurationFailed));
    Result<std::string> contents = FileSystem::readFile(*path);
    if (!contents)
        return Result<std::vector<Record>>::failure(formulaErrorText(FormulaError::configurationFailed));
    return RecordDecoder::decodeJSON<std::vector<Record>>(*contents);
}
