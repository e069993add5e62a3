#pragma once

#include <compare>

// A row (or collection item) within a section.
struct NSIndexPath {
    int section = 0;
    int row = 0;

    static NSIndexPath indexPathForRowInSection(int row, int section) { return {section, row}; }
    static NSIndexPath indexPathForItemInSection(int item, int section) { return {section, item}; }
    int item() const { return row; }

    // Section first, then row: the order of a table.
    auto operator<=>(const NSIndexPath&) const = default;
};
