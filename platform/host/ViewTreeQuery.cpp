#include "platform/host/ViewTreeQuery.h"

#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

#include <cxxabi.h>

#include <cstdlib>

namespace {

constexpr CGFloat invisibleAlpha = 0.01;

std::string textOf(UIView& view) {
    if (auto* label = dynamic_cast<UILabel*>(&view)) {
        return label->text();
    }
    if (auto* field = dynamic_cast<UITextField*>(&view)) {
        return field->text().empty() ? field->placeholder() : field->text();
    }
    if (auto* math = dynamic_cast<MTMathUILabel*>(&view)) {
        return math->latex();
    }
    return {};
}

void collect(UIView& view, const UIView& window, const CGRect& clip, std::vector<InspectedView>& out) {
    if (view.isHidden() || view.alpha() < invisibleAlpha) {
        return;
    }
    CGRect frame = view.convertRectToView(view.bounds(), &window);
    CGRect visible = frame.intersection(clip);
    if (!visible.isEmpty()) {
        InspectedView entry;
        entry.view = std::static_pointer_cast<UIView>(view.shared_from_this());
        entry.className = ViewTreeQuery::className(view);
        entry.text = textOf(view);
        entry.identifier = view.accessibilityIdentifier();
        entry.frame = visible;
        if (auto* control = dynamic_cast<UIControl*>(&view)) {
            entry.enabled = control->isEnabled();
        }
        if (auto* segments = dynamic_cast<UISegmentedControl*>(&view)) {
            entry.selectedSegment = segments->selectedSegmentIndex();
        }
        out.push_back(std::move(entry));
    }
    // Subviews of a clipping view are seen only inside it; the others may reach beyond it.
    CGRect innerClip = view.clipsToBounds() ? visible : clip;
    if (view.clipsToBounds() && visible.isEmpty()) {
        return;
    }
    auto subviews = view.subviews();
    for (const auto& subview : subviews) {
        collect(*subview, window, innerClip, out);
    }
}

} // namespace

std::string ViewTreeQuery::className(const UIView& view) {
    const char* mangled = typeid(view).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    return name;
}

std::vector<InspectedView> ViewTreeQuery::visibleViews(UIWindow& window) {
    std::vector<InspectedView> views;
    window.layoutIfNeeded();
    collect(window, window, window.bounds(), views);
    return views;
}

std::optional<InspectedView> ViewTreeQuery::findView(UIWindow& window, const std::string& text) {
    auto views = visibleViews(window);
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        if (it->text == text || it->identifier == text) {
            return *it;
        }
    }
    return std::nullopt;
}
