#pragma once

class UIView;

// Places the subviews of a container that opted out of autoresizing, from the active
// constraints that name them. A constraint between two such subviews places its first item.
// Each axis is solved on its own: an explicit size, else the span
// between two pinned edges, else the intrinsic size, else the current size; then the position
// from a pinned edge or centre line. Edges pinned to a scroll view refer to its content, so
// they set the content size instead of stretching the subview.
class UILayoutResolver {
  public:
    static void layoutSubviewsOf(UIView& container);
};
