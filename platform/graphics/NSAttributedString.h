#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"

#include <optional>
#include <string>
#include <vector>

class CGContext;

enum class NSTextAlignment { left, center, right, justified, natural };

enum class NSLineBreakMode {
    byWordWrapping,
    byCharWrapping,
    byClipping,
    byTruncatingHead,
    byTruncatingTail,
    byTruncatingMiddle
};

struct NSParagraphStyle {
    NSTextAlignment alignment = NSTextAlignment::natural;
    NSLineBreakMode lineBreakMode = NSLineBreakMode::byWordWrapping;
    bool operator==(const NSParagraphStyle&) const = default;
};

// The attribute dictionary of drawn text; an absent font is the system font of size 12 and an
// absent colour black, as for plain strings on the platform.
struct NSStringAttributes {
    std::optional<UIFont> font;
    std::optional<UIColor> foregroundColor;
    std::optional<NSParagraphStyle> paragraphStyle;
    bool operator==(const NSStringAttributes&) const = default;
};

// UTF-8 text made of runs, each with its own attributes.
class NSAttributedString {
  public:
    struct Run {
        std::string text;
        NSStringAttributes attributes;
        bool operator==(const Run&) const = default;
    };

    NSAttributedString() = default;
    explicit NSAttributedString(std::string text, NSStringAttributes attributes = {});

    const std::string& string() const { return text_; }
    const std::vector<Run>& runs() const { return runs_; }
    bool empty() const { return text_.empty(); }
    // Attributes of the first run (what a label adopts as its own font and colour).
    NSStringAttributes attributesAtStart() const;

    void append(const NSAttributedString& other);
    void append(std::string text, NSStringAttributes attributes);

    // One line, no width limit.
    CGSize size() const;
    // Wrapped to size.width (unbounded when not positive); origin zero, size rounded up is not applied.
    CGRect boundingRectWithSize(CGSize size) const;
    // Wrapped to the rectangle's width, top-aligned; lines below its bottom are left out.
    void drawInRect(const CGRect& rect, CGContext& context) const;
    void drawAtPoint(CGPoint point, CGContext& context) const;
    // Into the current UIGraphics context; nothing when there is none.
    void drawInRect(const CGRect& rect) const;
    void drawAtPoint(CGPoint point) const;

    bool operator==(const NSAttributedString&) const = default;

  private:
    std::string text_;
    std::vector<Run> runs_;
};
