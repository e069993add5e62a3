#pragma once

#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/UIViewController.h"

#include <memory>
#include <optional>

class UIPresentationController;

// Lets a presenter choose how a presentation adapts to a compact screen.
class UIAdaptivePresentationControllerDelegate {
  public:
    virtual ~UIAdaptivePresentationControllerDelegate() = default;
    // Nothing: the platform's own adaptation. none: keep the presentation as it is.
    virtual std::optional<UIModalPresentationStyle>
    adaptivePresentationStyleForPresentationControllerTraitCollection(
        const std::shared_ptr<UIPresentationController>&, const UITraitCollection&) {
        return std::nullopt;
    }
};
