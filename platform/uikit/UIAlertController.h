#pragma once

#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIViewController.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIButton;

enum class UIAlertControllerStyle { actionSheet = 0, alert = 1 };

// A title, a message and buttons for its actions, over the screen (alert: a box in the middle;
// action sheet: a panel at the bottom). A tapped button dismisses the alert and then runs its
// action's handler. Cancel actions go last (first of two side-by-side buttons). Each button
// carries its action's title as accessibility identifier.
class UIAlertController : public UIViewController {
  public:
    static std::shared_ptr<UIAlertController> alertControllerWithTitle(std::optional<std::string> title,
                                                                       std::optional<std::string> message,
                                                                       UIAlertControllerStyle preferredStyle);
    UIAlertController(std::optional<std::string> title, std::optional<std::string> message,
                      UIAlertControllerStyle preferredStyle);

    const std::optional<std::string>& alertTitle() const { return alertTitle_; }
    const std::optional<std::string>& message() const { return message_; }
    UIAlertControllerStyle preferredStyle() const { return style_; }
    void addAction(const std::shared_ptr<UIAlertAction>& action);
    const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }
    // The button of an action, once the view is loaded.
    std::shared_ptr<UIButton> buttonForAction(const UIAlertAction* action) const;

    void loadView() override;

  private:
    void actionTapped(const std::shared_ptr<UIAlertAction>& action);

    std::optional<std::string> alertTitle_;
    std::optional<std::string> message_;
    UIAlertControllerStyle style_;
    std::vector<std::shared_ptr<UIAlertAction>> actions_;
    std::vector<std::pair<const UIAlertAction*, std::shared_ptr<UIButton>>> buttons_;
};
