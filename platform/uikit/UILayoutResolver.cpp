#include "platform/uikit/UILayoutResolver.h"

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <optional>

namespace {

enum class Role { min, max, center, size };

struct Axis {
    std::optional<CGFloat> min, max, center, size, minSize, maxSize;
    // Edges pinned to a scroll container: the content must reach the subview's far edge plus this.
    std::optional<CGFloat> contentEndPadding;
    bool pinnedToContentStart = false;
};

bool isHorizontal(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::leading:
    case NSLayoutAttribute::trailing:
    case NSLayoutAttribute::width:
    case NSLayoutAttribute::centerX:
        return true;
    default:
        return false;
    }
}

Role roleOf(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::leading:
    case NSLayoutAttribute::top:
        return Role::min;
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::trailing:
    case NSLayoutAttribute::bottom:
        return Role::max;
    case NSLayoutAttribute::centerX:
    case NSLayoutAttribute::centerY:
        return Role::center;
    default:
        return Role::size;
    }
}

CGFloat valueIn(const CGRect& r, NSLayoutAttribute attribute) {
    bool h = isHorizontal(attribute);
    CGFloat origin = h ? r.origin.x : r.origin.y;
    CGFloat length = h ? r.size.width : r.size.height;
    switch (roleOf(attribute)) {
    case Role::min:
        return origin;
    case Role::max:
        return origin + length;
    case Role::center:
        return origin + length / 2;
    case Role::size:
        return length;
    }
    return 0;
}

// Where another item's attribute lies, in the container's bounds space; nothing when the
// item refers to the content of a scroll container (handled separately).
std::optional<CGFloat> otherValue(const UIView* other, NSLayoutAttribute attribute, UIView& container,
                                  bool scroll) {
    if (!other || attribute == NSLayoutAttribute::notAnAttribute) {
        return 0.0;
    }
    if (other == &container) {
        if (scroll) {
            return std::nullopt;
        }
        return valueIn(container.bounds(), attribute);
    }
    return valueIn(other->convertRectToView(other->bounds(), &container), attribute);
}

void apply(Axis& axis, Role role, NSLayoutRelation relation, CGFloat value) {
    if (relation != NSLayoutRelation::equal) {
        if (role == Role::size) {
            (relation == NSLayoutRelation::greaterThanOrEqual ? axis.minSize : axis.maxSize) = value;
        }
        return;
    }
    switch (role) {
    case Role::min:
        axis.min = value;
        break;
    case Role::max:
        axis.max = value;
        break;
    case Role::center:
        axis.center = value;
        break;
    case Role::size:
        axis.size = value;
        break;
    }
}

// A constraint between two subviews that are both placed by constraints is read as placing its
// first item: the second item is not moved by it.
void collect(UIView& child, UIView& container, bool scroll,
             const std::vector<std::shared_ptr<UIView>>& placed, Axis& h, Axis& v) {
    for (const auto& c : child.constraintsAffectingLayout()) {
        auto first = c->firstItem();
        auto second = c->secondItem();
        bool childFirst = first.get() == &child;
        if (!childFirst && second.get() != &child) {
            continue;
        }
        NSLayoutAttribute own = childFirst ? c->firstAttribute() : c->secondAttribute();
        UIView* other = childFirst ? second.get() : first.get();
        NSLayoutAttribute otherAttribute = childFirst ? c->secondAttribute() : c->firstAttribute();
        if (other == &child) {
            continue;
        }
        if (!childFirst &&
            std::any_of(placed.begin(), placed.end(), [&](const auto& p) { return p.get() == other; })) {
            continue;
        }
        Axis& axis = isHorizontal(own) ? h : v;
        Role role = roleOf(own);
        std::optional<CGFloat> base = otherValue(other, otherAttribute, container, scroll);
        if (!base) {
            // Pinned to the content of a scroll container.
            Role otherRole = roleOf(otherAttribute);
            CGFloat offset = childFirst ? c->constant() : -c->constant();
            if (role == Role::min && otherRole == Role::min) {
                axis.min = offset;
                axis.pinnedToContentStart = true;
            } else if (role == Role::max && otherRole == Role::max) {
                axis.contentEndPadding = -offset;
            }
            continue;
        }
        CGFloat value;
        if (childFirst) {
            value = *base * c->multiplier() + c->constant();
        } else {
            if (c->multiplier() == 0) {
                continue;
            }
            value = (*base - c->constant()) / c->multiplier();
        }
        NSLayoutRelation relation = c->relation();
        if (!childFirst && relation != NSLayoutRelation::equal) {
            relation = relation == NSLayoutRelation::greaterThanOrEqual
                           ? NSLayoutRelation::lessThanOrEqual
                           : NSLayoutRelation::greaterThanOrEqual;
        }
        apply(axis, role, relation, value);
    }
}

void solve(const Axis& axis, CGFloat intrinsic, CGFloat& origin, CGFloat& length) {
    CGFloat size = length;
    if (axis.size) {
        size = *axis.size;
    } else if (axis.min && axis.max && !axis.pinnedToContentStart) {
        size = *axis.max - *axis.min;
    } else if (intrinsic >= 0) {
        size = intrinsic;
    }
    if (axis.minSize) {
        size = std::max(size, *axis.minSize);
    }
    if (axis.maxSize) {
        size = std::min(size, *axis.maxSize);
    }
    size = std::max<CGFloat>(size, 0);
    if (axis.min) {
        origin = *axis.min;
    } else if (axis.max) {
        origin = *axis.max - size;
    } else if (axis.center) {
        origin = *axis.center - size / 2;
    }
    length = size;
}

void place(UIView& child, UIView& container, UIScrollView* scroll,
           const std::vector<std::shared_ptr<UIView>>& placed) {
    Axis h, v;
    collect(child, container, scroll != nullptr, placed, h, v);
    CGRect frame = child.frame();
    CGSize intrinsic = child.intrinsicContentSize();
    solve(h, intrinsic.width, frame.origin.x, frame.size.width);
    solve(v, intrinsic.height, frame.origin.y, frame.size.height);
    if (frame != child.frame()) {
        child.setFrame(frame);
    }
    if (scroll && (h.contentEndPadding || v.contentEndPadding)) {
        CGSize content = scroll->contentSize();
        if (h.contentEndPadding && h.pinnedToContentStart) {
            content.width = frame.origin.x + frame.size.width + *h.contentEndPadding;
        }
        if (v.contentEndPadding && v.pinnedToContentStart) {
            content.height = frame.origin.y + frame.size.height + *v.contentEndPadding;
        }
        if (content != scroll->contentSize()) {
            scroll->setContentSize(content);
        }
    }
}

} // namespace

void UILayoutResolver::layoutSubviewsOf(UIView& container) {
    std::vector<std::shared_ptr<UIView>> placed;
    for (const auto& child : container.subviews()) {
        if (!child->translatesAutoresizingMaskIntoConstraints() &&
            !child->constraintsAffectingLayout().empty()) {
            placed.push_back(child);
        }
    }
    if (placed.empty()) {
        return;
    }
    auto* scroll = dynamic_cast<UIScrollView*>(&container);
    // A second sweep lets a subview follow a sibling that the first sweep moved after it.
    for (int sweep = 0; sweep < 2; ++sweep) {
        for (const auto& child : placed) {
            place(*child, container, scroll, placed);
        }
    }
}
