#pragma once

#include <functional>
#include <map>
#include <mutex>

// Thread-safe list of callbacks. Listeners are called outside the lock so that one may remove itself.
template <typename Item> class APMListenerList {
  public:
    using Listener = std::function<void(const Item&)>;

    int add(Listener listener) {
        std::lock_guard lock(mutex_);
        listeners_.emplace(nextToken_, std::move(listener));
        return nextToken_++;
    }

    void remove(int token) {
        std::lock_guard lock(mutex_);
        listeners_.erase(token);
    }

    void notify(const Item& item) const {
        std::map<int, Listener> snapshot;
        {
            std::lock_guard lock(mutex_);
            snapshot = listeners_;
        }
        for (const auto& [token, listener] : snapshot)
            listener(item);
    }

  private:
    mutable std::mutex mutex_;
    std::map<int, Listener> listeners_;
    int nextToken_ = 1;
};
