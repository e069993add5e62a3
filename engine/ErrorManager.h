#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DTTextField;

// Turns error identifiers ("key", "key§a", "key§a§b") into the user's language and shows them.
// The engine has no views: the message goes to a presenter that the app installs (a toast); until
// then it is written to the debug console.
class ErrorManager {
  public:
    using Presenter = std::function<void(const std::string& message)>;

    static std::shared_ptr<ErrorManager> sharedErrorManager();

    // Text fields whose error state the input screen resets.
    std::vector<std::shared_ptr<DTTextField>> allFields;

    static void localizedErrorMessage(const std::string& identifier);

    // An empty presenter restores the debug console.
    static void setPresenter(Presenter presenter);
};
