#include "platform/defaults/Defaults.h"

Defaults::Defaults(std::shared_ptr<UserDefaults> userDefaults) : userDefaults_(std::move(userDefaults)) {}

std::shared_ptr<UserDefaults> Defaults::userDefaults() const {
    return userDefaults_ ? userDefaults_ : UserDefaults::standardUserDefaults();
}

bool Defaults::hasKey(const std::string& name) const {
    return userDefaults()->hasKey(name);
}

void Defaults::remove(const std::string& name) const {
    userDefaults()->removeObjectForKey(name);
}

void Defaults::update(const std::string& name, const std::function<void(AnyValue&)>& change) const {
    userDefaults()->updateObjectForKey(name, change);
}
