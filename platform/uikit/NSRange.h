#pragma once

// A run of characters: the first one and how many.
struct NSRange {
    int location = 0;
    int length = 0;

    int end() const { return location + length; }
    bool operator==(const NSRange&) const = default;
};
