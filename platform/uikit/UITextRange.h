#pragma once

#include <compare>

// A place in a text input's document, as a character offset from its start.
struct UITextPosition {
    int offset = 0;
    auto operator<=>(const UITextPosition&) const = default;
};

// From start to end (start never after end).
struct UITextRange {
    UITextPosition start;
    UITextPosition end;

    bool isEmpty() const { return start == end; }
    bool operator==(const UITextRange&) const = default;
};
