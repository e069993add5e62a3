#include "platform/material/TabItem.h"

#include "platform/uikit/UIViewController.h"

#include <algorithm>
#include <map>

namespace {

struct Entry {
    // Empty while the page was not yet owned by a shared pointer when its item was asked for.
    std::weak_ptr<const UIResponder> owner;
    std::shared_ptr<TabItem> item;
};

std::map<const UIViewController*, Entry>& registry() {
    static std::map<const UIViewController*, Entry> entries;
    return entries;
}

bool isStale(const Entry& entry) {
    std::weak_ptr<const UIResponder> none;
    bool wasOwned = entry.owner.owner_before(none) || none.owner_before(entry.owner);
    return wasOwned && entry.owner.expired();
}

} // namespace

TabItem::TabItem() {
    setBackgroundColor(UIColor::clearColor());
    setTitleColor(UIColor::labelColor());
    titleLabel()->setFont(UIFont::systemFontOfSize(14, UIFontWeight::medium));
    setContentEdgeInsets({0, 8, 0, 8});
}

CGSize TabItem::intrinsicContentSize() const {
    CGSize size = UIButton::intrinsicContentSize();
    return {size.width, std::max<CGFloat>(size.height, 48)};
}

std::shared_ptr<TabItem> tabItem(const UIViewController& controller) {
    auto& entries = registry();
    // Pages that are gone leave their items; a new page may reuse a gone page's address.
    std::erase_if(entries, [](const auto& pair) { return isStale(pair.second); });
    auto& entry = entries[&controller];
    if (!entry.item) {
        entry.item = std::make_shared<TabItem>();
    }
    if (entry.owner.expired()) {
        entry.owner = controller.weak_from_this();
    }
    return entry.item;
}
