#include "platform/uikit/UIWindowScene.h"

#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

std::vector<std::shared_ptr<UIWindow>> UIWindowScene::windows() const {
    std::vector<std::shared_ptr<UIWindow>> result;
    for (UIWindow* window : windows_) {
        // A window that is not owned by a shared pointer cannot be handed out.
        if (auto shared = window->weak_from_this().lock()) {
            result.push_back(std::static_pointer_cast<UIWindow>(shared));
        }
    }
    return result;
}

std::shared_ptr<UIWindow> UIWindowScene::keyWindow() const {
    if (!key_) {
        return nullptr;
    }
    auto shared = key_->weak_from_this().lock();
    return shared ? std::static_pointer_cast<UIWindow>(shared) : nullptr;
}

std::shared_ptr<UIScreen> UIWindowScene::screen() const {
    return UIScreen::mainScreen();
}

void UIWindowScene::windowCreated(UIWindow* window) {
    windows_.push_back(window);
}

void UIWindowScene::windowDestroyed(UIWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (key_ == window) {
        key_ = nullptr;
    }
}
