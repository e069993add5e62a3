#pragma once

#include "platform/uikit/UIBarButtonItemGroup.h"

#include <vector>

// The shortcut bar shown beside the keyboard of a text input: undo and redo at the leading end
// and paste at the trailing end until the app sets other groups. With both lists empty there is
// no shortcut bar.
class UITextInputAssistantItem {
  public:
    std::vector<UIBarButtonItemGroup> leadingBarButtonGroups{UIBarButtonItemGroup{{"Undo", "Redo"}}};
    std::vector<UIBarButtonItemGroup> trailingBarButtonGroups{UIBarButtonItemGroup{{"Paste"}}};

    bool isEmpty() const { return leadingBarButtonGroups.empty() && trailingBarButtonGroups.empty(); }
};
