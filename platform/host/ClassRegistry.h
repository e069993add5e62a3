#pragma once

#include <functional>
#include <memory>
#include <string>

class UIApplicationDelegate;

// Application-delegate classes by name, so that the process entry can create the delegate from the
// class name it is given.
class ClassRegistry {
  public:
    using DelegateFactory = std::function<std::shared_ptr<UIApplicationDelegate>()>;

    // A later registration under the same name replaces the earlier one.
    static void registerDelegateClass(const std::string& name, DelegateFactory factory);
    // Nothing for a name no class was registered under.
    static std::shared_ptr<UIApplicationDelegate> makeDelegate(const std::string& name);

    // Registers T (default-constructible) under name and gives the name back.
    template <typename T> static std::string registerDelegateClass(const std::string& name) {
        registerDelegateClass(name, [] { return std::make_shared<T>(); });
        return name;
    }
};
