#pragma once

#include "platform/uikit/UIView.h"

#include <functional>
#include <memory>
#include <vector>

using UIControlState = unsigned;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1u << 0;
inline constexpr UIControlState UIControlStateDisabled = 1u << 1;
inline constexpr UIControlState UIControlStateSelected = 1u << 2;

using UIControlEvents = unsigned;
inline constexpr UIControlEvents UIControlEventTouchDown = 1u << 0;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1u << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1u << 3;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1u << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1u << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1u << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1u << 12;
inline constexpr UIControlEvents UIControlEventPrimaryActionTriggered = 1u << 13;
inline constexpr UIControlEvents UIControlEventEditingDidBegin = 1u << 16;
inline constexpr UIControlEvents UIControlEventEditingChanged = 1u << 17;
inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1u << 18;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFFu;

enum class UIControlContentHorizontalAlignment { center, left, right, fill };
enum class UIControlContentVerticalAlignment { center, top, bottom, fill };

// A view that turns touches into events and sends them to registered actions. Targets are held
// weakly, as the platform does: an action of a released target is skipped. A disabled control
// passes touches on to its next responder.
class UIControl : public UIView {
  public:
    using Action = std::function<void(const std::shared_ptr<UIControl>& sender)>;

    using UIView::UIView;

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    UIControlState state() const;
    bool isTracking() const { return tracking_; }
    UIControlContentHorizontalAlignment contentHorizontalAlignment() const { return horizontalAlignment_; }
    void setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment);
    UIControlContentVerticalAlignment contentVerticalAlignment() const { return verticalAlignment_; }
    void setContentVerticalAlignment(UIControlContentVerticalAlignment alignment);

    void addAction(Action action, UIControlEvents events) {
        addRegistration(nullptr, std::move(action), events);
    }
    // addTarget:action:forControlEvents: with an action that takes no sender or the sender.
    template <typename T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*action)(), UIControlEvents events) {
        std::weak_ptr<T> weak = target;
        addRegistration(
            target.get(),
            [weak, action](const std::shared_ptr<UIControl>&) {
                if (auto strong = weak.lock()) {
                    ((*strong).*action)();
                }
            },
            events);
    }
    template <typename T, typename Sender>
    void addTarget(const std::shared_ptr<T>& target, void (T::*action)(const std::shared_ptr<Sender>&),
                   UIControlEvents events) {
        std::weak_ptr<T> weak = target;
        addRegistration(
            target.get(),
            [weak, action](const std::shared_ptr<UIControl>& sender) {
                if (auto strong = weak.lock()) {
                    ((*strong).*action)(std::dynamic_pointer_cast<Sender>(sender));
                }
            },
            events);
    }
    // Drops the target's registrations for those events (all events of all targets for nullptr).
    void removeTarget(const void* target, UIControlEvents events);
    // Runs the actions registered for any of the events, in registration order.
    void sendActionsForControlEvents(UIControlEvents events);
    std::size_t numberOfActions() const { return actions_.size(); }

    void touchesBegan(UITouch& touch) override;
    void touchesMoved(UITouch& touch) override;
    void touchesEnded(UITouch& touch) override;
    void touchesCancelled(UITouch& touch) override;

  protected:
    // Called after enabled, highlighted or selected changed.
    virtual void stateDidChange() { setNeedsDisplay(); }

  private:
    struct Registration {
        const void* target;
        UIControlEvents events;
        Action action;
    };
    void addRegistration(const void* target, Action action, UIControlEvents events);
    bool isInsideForTracking(const UITouch& touch) const;

    bool enabled_ = true;
    bool highlighted_ = false;
    bool selected_ = false;
    bool tracking_ = false;
    UIControlContentHorizontalAlignment horizontalAlignment_ = UIControlContentHorizontalAlignment::center;
    UIControlContentVerticalAlignment verticalAlignment_ = UIControlContentVerticalAlignment::center;
    std::vector<Registration> actions_;
};
