#include "platform/foundation/NotificationCenter.h"

#include <algorithm>
#include <atomic>

struct NotificationCenter::Observer {
    ObserverToken token;
    const void* owner;
    std::string name;
    const void* object;
    Block block;
    std::atomic<bool> active{true};

    bool matches(const Notification& notification) const {
        return (name.empty() || name == notification.name) &&
               (object == nullptr || object == notification.object.get());
    }
};

std::shared_ptr<NotificationCenter> NotificationCenter::defaultCenter() {
    static const auto center = std::make_shared<NotificationCenter>();
    return center;
}

NotificationCenter::ObserverToken NotificationCenter::addObserverForName(const std::string& name,
                                                                         const void* object, Block block) {
    return addObserver(nullptr, name, object, std::move(block));
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(const void* owner, const std::string& name,
                                                                  const void* object, Block block) {
    auto observer = std::make_shared<Observer>();
    observer->owner = owner;
    observer->name = name;
    observer->object = object;
    observer->block = std::move(block);
    std::lock_guard lock(mutex_);
    observer->token = ObserverToken{nextToken_++};
    observers_.push_back(observer);
    return observer->token;
}

namespace {

template <typename Observers, typename Predicate>
void removeWhere(Observers& observers, Predicate predicate) {
    auto removed = std::stable_partition(observers.begin(), observers.end(),
                                         [&](const auto& observer) { return !predicate(*observer); });
    for (auto it = removed; it != observers.end(); ++it)
        (*it)->active = false;
    observers.erase(removed, observers.end());
}

} // namespace

void NotificationCenter::removeObserver(ObserverToken token) {
    std::lock_guard lock(mutex_);
    removeWhere(observers_, [&](const Observer& observer) { return observer.token == token; });
}

void NotificationCenter::removeObserver(const void* owner) {
    if (owner == nullptr)
        return;
    std::lock_guard lock(mutex_);
    removeWhere(observers_, [&](const Observer& observer) { return observer.owner == owner; });
}

void NotificationCenter::removeObserver(const void* owner, const std::string& name) {
    if (owner == nullptr)
        return;
    std::lock_guard lock(mutex_);
    removeWhere(observers_,
                [&](const Observer& observer) { return observer.owner == owner && observer.name == name; });
}

void NotificationCenter::postNotificationName(const std::string& name, std::shared_ptr<void> object,
                                              AnyValue::Dictionary userInfo) {
    postNotification(Notification{name, std::move(object), std::move(userInfo)});
}

void NotificationCenter::postNotification(const Notification& notification) {
    // Blocks run without the lock so that they may add or remove observers and post in turn.
    std::vector<std::shared_ptr<Observer>> receivers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& observer : observers_)
            if (observer->matches(notification))
                receivers.push_back(observer);
    }
    for (const auto& observer : receivers)
        if (observer->active)
            observer->block(notification);
}
