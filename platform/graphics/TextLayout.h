#pragma once

#include "platform/graphics/NSAttributedString.h"

#include <memory>

typedef struct _PangoLayout PangoLayout;
typedef struct _PangoContext PangoContext;
class CGContext;

// Lays attributed text out with Pango, for measuring and drawing. Metrics are unhinted, so a
// size measured here holds at every device scale.
class TextLayout {
  public:
    struct Options {
        // Wrap width; not positive: one line per paragraph, no limit.
        CGFloat width = 0;
        // 0: any number of lines.
        int numberOfLines = 0;
        // Overrides the text's own paragraph style when set.
        std::optional<NSTextAlignment> alignment;
        std::optional<NSLineBreakMode> lineBreakMode;
    };

    explicit TextLayout(const NSAttributedString& text);
    TextLayout(const NSAttributedString& text, const Options& options);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // Logical extents of the laid-out lines.
    CGSize size() const;
    int lineCount() const;
    // Offset of the first line's baseline from the top.
    CGFloat firstBaseline() const;
    // Height of the first n lines.
    CGFloat heightOfLines(int n) const;

    // Draws with the top-left of the layout at origin. maxHeight > 0 leaves out lines whose
    // bottom would lie below origin.y + maxHeight (the first line is always drawn).
    void draw(CGContext& context, CGPoint origin, CGFloat maxHeight = 0) const;

    PangoLayout* pangoLayout() const { return layout_; }
    // This thread's Pango context with the unhinted settings every layout uses.
    static PangoContext* pangoContext();

  private:
    PangoLayout* layout_ = nullptr;
    CGFloat width_ = 0;
    int numberOfLines_ = 0;
    bool empty_ = false;
};
