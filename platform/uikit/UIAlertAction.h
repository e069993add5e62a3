#pragma once

#include <functional>
#include <memory>
#include <string>

enum class UIAlertActionStyle { defaultStyle = 0, cancel = 1, destructive = 2 };

// A button of an alert. Its handler runs once the alert has been dismissed.
class UIAlertAction : public std::enable_shared_from_this<UIAlertAction> {
    struct Token {};

  public:
    using Handler = std::function<void(const std::shared_ptr<UIAlertAction>&)>;

    UIAlertAction(Token, std::string title, UIAlertActionStyle style, Handler handler)
        : title_(std::move(title)), style_(style), handler_(std::move(handler)) {}
    static std::shared_ptr<UIAlertAction> actionWithTitle(std::string title, UIAlertActionStyle style,
                                                          Handler handler = {}) {
        return std::make_shared<UIAlertAction>(Token{}, std::move(title), style, std::move(handler));
    }

    const std::string& title() const { return title_; }
    UIAlertActionStyle style() const { return style_; }
    const Handler& handler() const { return handler_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

  private:
    std::string title_;
    UIAlertActionStyle style_;
    Handler handler_;
    bool enabled_ = true;
};
