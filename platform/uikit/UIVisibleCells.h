#pragma once

#include "platform/uikit/NSIndexPath.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// The cells a table or collection view shows, by index path. Cells are taken out before they are
// handed back for reuse, so that whoever hears of their leaving sees only the cells still shown.
template <typename Cell> class UIVisibleCells {
  public:
    using Map = std::map<NSIndexPath, std::shared_ptr<Cell>>;

    typename Map::const_iterator begin() const { return cells_.begin(); }
    typename Map::const_iterator end() const { return cells_.end(); }

    // Null where no cell shows the index path.
    std::shared_ptr<Cell> cellAt(const NSIndexPath& indexPath) const {
        auto it = cells_.find(indexPath);
        return it == cells_.end() ? nullptr : it->second;
    }

    void set(const NSIndexPath& indexPath, std::shared_ptr<Cell> cell) {
        cells_[indexPath] = std::move(cell);
    }

    std::optional<NSIndexPath> indexPathOf(const Cell* cell) const {
        for (const auto& [indexPath, shown] : cells_) {
            if (shown.get() == cell) {
                return indexPath;
            }
        }
        return std::nullopt;
    }

    std::vector<std::shared_ptr<Cell>> cells() const {
        std::vector<std::shared_ptr<Cell>> cells;
        for (const auto& [indexPath, cell] : cells_) {
            cells.push_back(cell);
        }
        return cells;
    }

    std::vector<NSIndexPath> indexPaths() const {
        std::vector<NSIndexPath> paths;
        for (const auto& [indexPath, cell] : cells_) {
            paths.push_back(indexPath);
        }
        return paths;
    }

    Map takeAll() { return std::exchange(cells_, {}); }

    // recycle(cell, indexPath) gets each cell after it has left.
    template <typename Recycle> void removeAll(Recycle&& recycle) {
        for (const auto& [indexPath, cell] : takeAll()) {
            recycle(cell, indexPath);
        }
    }

    template <typename Recycle> void removeAllExcept(const std::set<NSIndexPath>& wanted, Recycle&& recycle) {
        for (auto it = cells_.begin(); it != cells_.end();) {
            if (wanted.count(it->first)) {
                ++it;
                continue;
            }
            auto cell = it->second;
            NSIndexPath indexPath = it->first;
            it = cells_.erase(it);
            recycle(cell, indexPath);
        }
    }

  private:
    Map cells_;
};
