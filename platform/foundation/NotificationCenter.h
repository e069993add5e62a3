#pragma once

#include "platform/foundation/AnyValue.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct Notification {
    std::string name;
    // The posting object, if any; observers filter on its identity.
    std::shared_ptr<void> object;
    AnyValue::Dictionary userInfo;
};

// Named notifications delivered synchronously on the posting thread, to observers in the order they
// were added. Safe to use from several threads; an observer removed while a post is under way is not
// called afterwards.
class NotificationCenter {
  public:
    enum class ObserverToken : std::uint64_t {};
    using Block = std::function<void(const Notification&)>;

    static std::shared_ptr<NotificationCenter> defaultCenter();

    // name: empty matches every name. object: when non-null, only posts from that object are delivered.
    ObserverToken addObserverForName(const std::string& name, const void* object, Block block);
    // The same, recorded under an owner so that removeObserver(owner) drops all of the owner's observers.
    ObserverToken addObserver(const void* owner, const std::string& name, const void* object, Block block);

    void removeObserver(ObserverToken token);
    // Every observer of the owner.
    void removeObserver(const void* owner);
    // The owner's observers of one name.
    void removeObserver(const void* owner, const std::string& name);

    void postNotificationName(const std::string& name, std::shared_ptr<void> object = nullptr,
                              AnyValue::Dictionary userInfo = {});
    void postNotification(const Notification& notification);

  private:
    struct Observer;

    std::mutex mutex_;
    std::vector<std::shared_ptr<Observer>> observers_;
    std::uint64_t nextToken_ = 1;
};
