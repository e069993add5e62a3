#pragma once

#include <memory>
#include <typeinfo>

class UITouch;

// Base of everything that takes part in event handling: views, view controllers, the application
// and its delegate. Touches a responder does not handle go to its next responder.
class UIResponder : public std::enable_shared_from_this<UIResponder> {
  public:
    UIResponder() = default;
    virtual ~UIResponder() = default;
    UIResponder(const UIResponder&) = delete;
    UIResponder& operator=(const UIResponder&) = delete;

    virtual std::shared_ptr<UIResponder> nextResponder() const { return nullptr; }

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool becomeFirstResponder() { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    virtual bool resignFirstResponder() { return true; }
    virtual bool isFirstResponder() const { return false; }

    virtual void touchesBegan(UITouch& touch);
    virtual void touchesMoved(UITouch& touch);
    virtual void touchesEnded(UITouch& touch);
    virtual void touchesCancelled(UITouch& touch);

    // Exact-class test: true only for an object whose dynamic type is T itself, not a subclass.
    template <typename T> bool isMemberOfClass() const { return typeid(*this) == typeid(T); }
    template <typename T> bool isKindOfClass() const { return dynamic_cast<const T*>(this) != nullptr; }

    template <typename T> std::shared_ptr<T> sharedAs() {
        return std::dynamic_pointer_cast<T>(shared_from_this());
    }
    template <typename T> std::shared_ptr<const T> sharedAs() const {
        return std::dynamic_pointer_cast<const T>(shared_from_this());
    }
};
