#pragma once

#include "platform/graphics/CGGeometry.h"

#include <optional>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

enum class UIFontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

enum class UIFontTextStyle {
    largeTitle,
    title1,
    title2,
    title3,
    headline,
    subheadline,
    body,
    callout,
    footnote,
    caption1,
    caption2
};

// A font value: a fontconfig family with a weight and italic flag at a point size (one point is
// one user-space unit of a CGContext). The system font is Lato.
class UIFont {
  public:
    static UIFont systemFontOfSize(CGFloat size, UIFontWeight weight = UIFontWeight::regular);
    static UIFont boldSystemFontOfSize(CGFloat size) { return systemFontOfSize(size, UIFontWeight::bold); }
    static UIFont italicSystemFontOfSize(CGFloat size);
    // A PostScript-style name ("Avenir-Heavy", "Lato-Bold") or a family name installed on the
    // system; nothing when no installed font has that name.
    static std::optional<UIFont> fontWithName(const std::string& name, CGFloat size);
    static UIFont preferredFontForTextStyle(UIFontTextStyle style);
    static CGFloat systemFontSize() { return 17; }

    UIFont fontWithSize(CGFloat size) const;

    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return family_; }
    CGFloat pointSize() const { return size_; }
    UIFontWeight weight() const { return weight_; }
    bool isItalic() const { return italic_; }
    CGFloat ascender() const;
    // Negative, below the baseline.
    CGFloat descender() const;
    CGFloat lineHeight() const;

    // A new Pango description of this font at an absolute size; the caller frees it.
    PangoFontDescription* newPangoFontDescription() const;

    bool operator==(const UIFont&) const = default;

  private:
    UIFont(std::string fontName, std::string family, UIFontWeight weight, bool italic, CGFloat size);

    std::string fontName_;
    std::string family_;
    UIFontWeight weight_ = UIFontWeight::regular;
    bool italic_ = false;
    CGFloat size_ = 17;
};
