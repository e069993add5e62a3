#include "platform/uikit/UIStoryboard.h"

#include "platform/uikit/UIViewController.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::pair<std::string, std::string>, UIStoryboard::SceneBuilder> scenes;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

void UIStoryboard::registerScene(const std::string& storyboardName, const std::string& identifier,
                                 SceneBuilder builder) {
    std::lock_guard lock(registry().mutex);
    registry().scenes[{storyboardName, identifier}] = std::move(builder);
}

std::shared_ptr<UIStoryboard> UIStoryboard::storyboardWithName(const std::string& name,
                                                               const std::shared_ptr<Bundle>&) {
    std::lock_guard lock(registry().mutex);
    auto it = registry().scenes.lower_bound({name, ""});
    if (it == registry().scenes.end() || it->first.first != name) {
        return nullptr;
    }
    return std::make_shared<UIStoryboard>(name);
}

std::shared_ptr<UIViewController>
UIStoryboard::instantiateViewControllerWithIdentifier(const std::string& identifier) {
    SceneBuilder builder;
    {
        std::lock_guard lock(registry().mutex);
        auto it = registry().scenes.find({name_, identifier});
        if (it == registry().scenes.end()) {
            return nullptr;
        }
        builder = it->second;
    }
    auto controller = builder ? builder() : nullptr;
    if (controller) {
        controller->storyboard_ = shared_from_this();
        controller->awakeFromNib();
    }
    return controller;
}
