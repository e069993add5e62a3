#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIView;
class UIWindow;

// What a person can see of one view.
struct InspectedView {
    std::shared_ptr<UIView> view;
    // The dynamic class name, such as "UILabel" or "HistoryTableViewCell".
    std::string className;
    // A label's text, a field's text (else its placeholder), a math label's LaTeX.
    std::string text;
    std::string identifier;
    // The visible part, in window points.
    CGRect frame;
    // Controls only.
    std::optional<bool> enabled;
    // Segmented controls only.
    std::optional<int> selectedSegment;
};

// Reads the view tree of a window the way the screen shows it: views that are hidden, almost
// transparent or clipped away by an ancestor are left out.
class ViewTreeQuery {
  public:
    // Back to front (drawing order).
    static std::vector<InspectedView> visibleViews(UIWindow& window);
    // The front-most visible view whose text or identifier is exactly the given text.
    static std::optional<InspectedView> findView(UIWindow& window, const std::string& text);
    static std::string className(const UIView& view);
};
