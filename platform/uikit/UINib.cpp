#include "platform/uikit/UINib.h"

#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"

#include <map>
#include <mutex>

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, UINib::Builder> builders;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

void UINib::collectUnawoken(UIView& view, std::vector<std::shared_ptr<UIView>>& out) {
    if (!view.awokeFromNib_) {
        out.push_back(std::static_pointer_cast<UIView>(view.shared_from_this()));
    }
    for (const auto& subview : view.subviews()) {
        collectUnawoken(*subview, out);
    }
}

void UINib::wake(const std::vector<std::shared_ptr<UIView>>& views) {
    for (const auto& view : views) {
        if (!view->awokeFromNib_) {
            view->awokeFromNib_ = true;
            view->awakeFromNib();
        }
    }
}

void UINib::registerNib(const std::string& name, Builder builder) {
    std::lock_guard lock(registry().mutex);
    registry().builders[name] = std::move(builder);
}

bool UINib::isRegistered(const std::string& name) {
    std::lock_guard lock(registry().mutex);
    return registry().builders.count(name) > 0;
}

std::shared_ptr<UINib> UINib::nibWithNibName(const std::string& name, const std::shared_ptr<Bundle>&) {
    std::lock_guard lock(registry().mutex);
    auto it = registry().builders.find(name);
    return it == registry().builders.end() ? nullptr : std::make_shared<UINib>(it->second);
}

std::shared_ptr<UINib> UINib::nibWithBuilder(Builder builder) {
    return std::make_shared<UINib>(std::move(builder));
}

std::vector<std::shared_ptr<UIResponder>> UINib::loadNibNamed(const std::string& name,
                                                              const std::shared_ptr<UIResponder>& owner) {
    auto nib = nibWithNibName(name);
    return nib ? nib->instantiateWithOwner(owner) : std::vector<std::shared_ptr<UIResponder>>{};
}

std::vector<std::shared_ptr<UIResponder>>
UINib::instantiateWithOwner(const std::shared_ptr<UIResponder>& owner) const {
    auto ownerController = std::dynamic_pointer_cast<UIViewController>(owner);
    auto viewBefore = ownerController ? ownerController->viewIfLoaded() : nullptr;
    auto objects = builder_ ? builder_(owner) : std::vector<std::shared_ptr<UIResponder>>{};
    // Everything is collected first, so views that awakeFromNib itself creates are not woken.
    std::vector<std::shared_ptr<UIView>> views;
    std::vector<std::shared_ptr<UIViewController>> controllers;
    for (const auto& object : objects) {
        if (auto view = std::dynamic_pointer_cast<UIView>(object)) {
            collectUnawoken(*view, views);
        } else if (auto controller = std::dynamic_pointer_cast<UIViewController>(object)) {
            controllers.push_back(controller);
        }
    }
    // A view the nib gave its owning controller belongs to the nib.
    if (ownerController) {
        if (auto view = ownerController->viewIfLoaded(); view && view != viewBefore) {
            collectUnawoken(*view, views);
        }
    }
    wake(views);
    for (const auto& controller : controllers) {
        controller->awakeFromNib();
    }
    return objects;
}

void UINib::awakeViewTree(UIView& root) {
    std::vector<std::shared_ptr<UIView>> views;
    collectUnawoken(root, views);
    wake(views);
}
