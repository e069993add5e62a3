#include "platform/graphics/UITraitCollection.h"

#include <atomic>
#include <optional>

namespace {

std::atomic<UIUserInterfaceStyle> appStyle{UIUserInterfaceStyle::unspecified};
thread_local std::optional<UITraitCollection> threadOverride;

} // namespace

UITraitCollection UITraitCollection::currentTraitCollection() {
    if (threadOverride) {
        return *threadOverride;
    }
    return UITraitCollection(appStyle.load());
}

void UITraitCollection::setCurrentTraitCollection(const UITraitCollection& traits) {
    appStyle.store(traits.style_);
}

void UITraitCollection::performAsCurrentTraitCollection(const std::function<void()>& actions) const {
    auto previous = threadOverride;
    threadOverride = *this;
    struct Restore {
        std::optional<UITraitCollection>& slot;
        std::optional<UITraitCollection> value;
        ~Restore() { slot = value; }
    } restore{threadOverride, previous};
    actions();
}
