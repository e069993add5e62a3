#pragma once

#include <functional>
#include <memory>
#include <string>

class Bundle;
class UIViewController;

// A storyboard: scene builders registered under a storyboard name and a controller identifier.
// A builder creates the controller (normally through its archive constructor) and gives it a
// view loader that builds the scene's view tree and connects outlets when the view is first
// needed. Instantiated controllers know their storyboard and are sent awakeFromNib.
class UIStoryboard : public std::enable_shared_from_this<UIStoryboard> {
  public:
    using SceneBuilder = std::function<std::shared_ptr<UIViewController>()>;

    static void registerScene(const std::string& storyboardName, const std::string& identifier,
                              SceneBuilder builder);
    // Nothing when no scene is registered under that storyboard name.
    static std::shared_ptr<UIStoryboard> storyboardWithName(const std::string& name,
                                                            const std::shared_ptr<Bundle>& bundle = nullptr);

    explicit UIStoryboard(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    // Nothing for an unknown identifier.
    std::shared_ptr<UIViewController> instantiateViewControllerWithIdentifier(const std::string& identifier);

  private:
    std::string name_;
};
