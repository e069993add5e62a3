#include "engine/ErrorManager.h"
#include "platform/foundation/DebugConsole.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorMessages, KeysAreTranslatedArgumentsFillThePlaceholdersAndWithoutAPresenterTheConsoleShowsThem) {
    std::vector<std::string> shown;
    ErrorManager::setPresenter([&](const std::string& message) { shown.push_back(message); });
    // A key missing from the catalogue shows itself, so its placeholders show the filling.
    for (const char* key :
         {"valueOutOfRange", "noSuchKey", "", "from %0 to %1 and %0\u00a7x", "from %0 to %1\u00a7x\u00a7y",
          "\u00a7", "from %0 to %1\u00a7x\u00a7y\u00a7z", "from %0\u00a7\u00a7x"})
        ErrorManager::localizedErrorMessage(key);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "The values x_i must lie between -9007199254740992 and 9007199254740992.",
                         "noSuchKey",
                         "from x to %1 and x",
                         "from x to y",
                         "from %0 to %1",
                         "from x",
                     }));

    ErrorManager::setPresenter(nullptr);
    std::vector<std::string> lines;
    DebugConsole::setListener([&](const std::string& line) { lines.push_back(line); });
    ErrorManager::localizedErrorMessage("inputZeroInDenominator");
    DebugConsole::setListener(nullptr);
    EXPECT_EQ(lines, std::vector<std::string>{"The denominator must not be 0."});
}

} // namespace
