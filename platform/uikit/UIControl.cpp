#include "platform/uikit/UIControl.h"

#include "platform/uikit/UITouch.h"

#include <algorithm>

namespace {

// How far outside its bounds a tracked touch still counts as inside.
constexpr CGFloat trackingSlop = 70;

} // namespace

void UIControl::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        stateDidChange();
    }
}

void UIControl::setHighlighted(bool highlighted) {
    if (highlighted != highlighted_) {
        highlighted_ = highlighted;
        stateDidChange();
    }
}

void UIControl::setSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        stateDidChange();
    }
}

UIControlState UIControl::state() const {
    UIControlState state = UIControlStateNormal;
    if (highlighted_) {
        state |= UIControlStateHighlighted;
    }
    if (!enabled_) {
        state |= UIControlStateDisabled;
    }
    if (selected_) {
        state |= UIControlStateSelected;
    }
    return state;
}

void UIControl::setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment) {
    horizontalAlignment_ = alignment;
    setNeedsLayout();
}

void UIControl::setContentVerticalAlignment(UIControlContentVerticalAlignment alignment) {
    verticalAlignment_ = alignment;
    setNeedsLayout();
}

void UIControl::addRegistration(const void* target, Action action, UIControlEvents events) {
    if (action && events) {
        actions_.push_back({target, events, std::move(action)});
    }
}

void UIControl::removeTarget(const void* target, UIControlEvents events) {
    for (auto& registration : actions_) {
        if (!target || registration.target == target) {
            registration.events &= ~events;
        }
    }
    std::erase_if(actions_, [](const Registration& r) { return r.events == 0; });
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) {
    auto self = std::static_pointer_cast<UIControl>(shared_from_this());
    // Actions may register or remove others while they run.
    std::vector<Registration> matching;
    for (const auto& registration : actions_) {
        if (registration.events & events) {
            matching.push_back(registration);
        }
    }
    for (const auto& registration : matching) {
        registration.action(self);
    }
}

bool UIControl::isInsideForTracking(const UITouch& touch) const {
    return bounds().insetBy(-trackingSlop, -trackingSlop).contains(touch.locationInView(this));
}

void UIControl::touchesBegan(UITouch& touch) {
    if (!enabled_) {
        UIView::touchesBegan(touch);
        return;
    }
    tracking_ = true;
    setHighlighted(true);
    sendActionsForControlEvents(UIControlEventTouchDown);
}

void UIControl::touchesMoved(UITouch& touch) {
    if (!tracking_) {
        UIView::touchesMoved(touch);
        return;
    }
    bool inside = isInsideForTracking(touch);
    setHighlighted(inside);
    sendActionsForControlEvents(inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside);
}

void UIControl::touchesEnded(UITouch& touch) {
    if (!tracking_) {
        UIView::touchesEnded(touch);
        return;
    }
    tracking_ = false;
    setHighlighted(false);
    bool inside = isInsideForTracking(touch);
    sendActionsForControlEvents(inside ? UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered
                                       : UIControlEventTouchUpOutside);
}

void UIControl::touchesCancelled(UITouch& touch) {
    if (!tracking_) {
        UIView::touchesCancelled(touch);
        return;
    }
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}
