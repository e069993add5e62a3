#include "engine/ErrorManager.h"

#include "engine/TextUtilities.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"

#include <mutex>

namespace {

std::mutex presenterMutex;
ErrorManager::Presenter& installedPresenter() {
    static ErrorManager::Presenter presenter;
    return presenter;
}

void present(const std::string& message) {
    ErrorManager::Presenter presenter;
    {
        std::lock_guard lock(presenterMutex);
        presenter = installedPresenter();
    }
    if (presenter)
        presenter(message);
    else
        DebugConsole::print(message);
}

} // namespace

std::shared_ptr<ErrorManager> ErrorManager::sharedErrorManager() {
    static const std::shared_ptr<ErrorManager> instance = std::make_shared<ErrorManager>();
    return instance;
}

void ErrorManager::setPresenter(Presenter presenter) {
    std::lock_guard lock(presenterMutex);
    installedPresenter() = std::move(presenter);
}

void ErrorManager::localizedErrorMessage(const std::string& identifier) {
    const std::vector<std::string_view> pieces = splitDroppingEmpty(identifier, "\u00a7");
    if (pieces.empty())
        return;
    const std::string key(pieces[0]);
    std::string message = Bundle::mainBundle()->localizedString(key, key, "");
    if (pieces.size() == 2) {
        replaceAll(message, "%0", pieces[1]);
    } else if (pieces.size() == 3) {
        replaceAll(message, "%0", pieces[1]);
        replaceAll(message, "%1", pieces[2]);
    }
    present(message);
}
