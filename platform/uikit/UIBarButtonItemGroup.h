#pragma once

#include <string>
#include <vector>

// A group of shortcut-bar buttons, named by their titles.
struct UIBarButtonItemGroup {
    std::vector<std::string> itemTitles;
    bool operator==(const UIBarButtonItemGroup&) const = default;
};
