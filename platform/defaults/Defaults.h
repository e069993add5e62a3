#pragma once

#include "platform/defaults/DefaultsKey.h"
#include "platform/foundation/UserDefaults.h"

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

// Typed access to the user defaults through DefaultsKey values.
class Defaults {
  public:
    // Without a domain every access goes to the standard user defaults of that moment.
    explicit Defaults(std::shared_ptr<UserDefaults> userDefaults = nullptr);

    template <typename T> T get(const DefaultsKey<T>& key) const;
    template <typename T> void set(const DefaultsKey<T>& key, const T& value) const;

    // Changes the stored value in place (see UserDefaults::updateObjectForKey).
    void update(const std::string& name, const std::function<void(AnyValue&)>& change) const;

    bool hasKey(const std::string& name) const;
    void remove(const std::string& name) const;
    template <typename T> bool hasKey(const DefaultsKey<T>& key) const { return hasKey(key.name()); }
    template <typename T> void remove(const DefaultsKey<T>& key) const { remove(key.name()); }

    std::shared_ptr<UserDefaults> userDefaults() const;

  private:
    template <typename T> struct OptionalValue : std::false_type {};
    template <typename U> struct OptionalValue<std::optional<U>> : std::true_type { using Wrapped = U; };

    std::shared_ptr<UserDefaults> userDefaults_;
};

template <typename T> T Defaults::get(const DefaultsKey<T>& key) const {
    AnyValue stored = userDefaults()->objectForKey(key.name());
    if constexpr (OptionalValue<T>::value) {
        if (auto value = DefaultsBridge<typename OptionalValue<T>::Wrapped>::fromAny(stored))
            return T(std::move(*value));
        return key.defaultValue();
    } else {
        if (auto value = DefaultsBridge<T>::fromAny(stored))
            return std::move(*value);
        return key.defaultValue();
    }
}

template <typename T> void Defaults::set(const DefaultsKey<T>& key, const T& value) const {
    if constexpr (OptionalValue<T>::value) {
        if (!value) {
            remove(key.name());
            return;
        }
        userDefaults()->setObjectForKey(DefaultsBridge<typename OptionalValue<T>::Wrapped>::toAny(*value),
                                        key.name());
    } else {
        userDefaults()->setObjectForKey(DefaultsBridge<T>::toAny(value), key.name());
    }
}
