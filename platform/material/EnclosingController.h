#pragma once

#include "platform/uikit/UIViewController.h"

#include <memory>

// The controller itself when it is a T, else its nearest ancestor that is one. Nothing for a
// controller that no shared pointer owns yet (one still under construction).
template <typename T> std::shared_ptr<T> enclosingController(const UIViewController& controller) {
    auto self = std::dynamic_pointer_cast<const UIViewController>(controller.weak_from_this().lock());
    for (auto current = std::const_pointer_cast<UIViewController>(self); current;
         current = current->parentViewController()) {
        if (auto match = std::dynamic_pointer_cast<T>(current)) {
            return match;
        }
    }
    return nullptr;
}
