#include "platform/host/ClassRegistry.h"

#include "platform/uikit/UIApplicationDelegate.h"

#include <map>
#include <mutex>

namespace {

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, ClassRegistry::DelegateFactory>& factories() {
    static std::map<std::string, ClassRegistry::DelegateFactory> map;
    return map;
}

} // namespace

void ClassRegistry::registerDelegateClass(const std::string& name, DelegateFactory factory) {
    std::lock_guard lock(registryMutex());
    factories()[name] = std::move(factory);
}

std::shared_ptr<UIApplicationDelegate> ClassRegistry::makeDelegate(const std::string& name) {
    DelegateFactory factory;
    {
        std::lock_guard lock(registryMutex());
        auto found = factories().find(name);
        if (found == factories().end()) {
            return nullptr;
        }
        factory = found->second;
    }
    return factory ? factory() : nullptr;
}
