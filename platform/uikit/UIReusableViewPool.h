#pragma once

#include "platform/uikit/UINib.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The registered kinds of cells of a table or collection view and the cells that scrolled out,
// by reuse identifier. A dequeued cell comes from the queue (after prepareForReuse) or is made
// new by its registration; a cell without an identifier of its own gets the one it was made for.
template <typename Cell> class UIReusableViewPool {
  public:
    using Factory = std::function<std::shared_ptr<Cell>()>;

    void registerFactory(const std::string& identifier, Factory make) {
        factories_[identifier] = std::move(make);
        queues_.erase(identifier);
    }

    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier) {
        if (!nib) {
            factories_.erase(identifier);
            return;
        }
        registerFactory(identifier, [nib]() -> std::shared_ptr<Cell> {
            for (const auto& object : nib->instantiateWithOwner(nullptr)) {
                if (auto cell = std::dynamic_pointer_cast<Cell>(object)) {
                    return cell;
                }
            }
            return nullptr;
        });
    }

    std::shared_ptr<Cell> dequeue(const std::string& identifier) {
        auto& queue = queues_[identifier];
        if (!queue.empty()) {
            auto cell = queue.back();
            queue.pop_back();
            cell->prepareForReuse();
            return cell;
        }
        auto factory = factories_.find(identifier);
        if (factory == factories_.end()) {
            return nullptr;
        }
        auto cell = factory->second();
        if (cell && cell->reuseIdentifier().empty()) {
            cell->reuseIdentifier_ = identifier;
        }
        return cell;
    }

    void enqueue(const std::shared_ptr<Cell>& cell) {
        if (!cell->reuseIdentifier().empty()) {
            queues_[cell->reuseIdentifier()].push_back(cell);
        }
    }

    std::size_t queuedCount(const std::string& identifier) const {
        auto it = queues_.find(identifier);
        return it == queues_.end() ? 0 : it->second.size();
    }

  private:
    std::map<std::string, Factory> factories_;
    std::map<std::string, std::vector<std::shared_ptr<Cell>>> queues_;
};
