#include "platform/graphics/UIFont.h"

#include "platform/graphics/TextLayout.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>

namespace {

constexpr const char* systemFamily = "Lato";

struct NamedFace {
    std::string family;
    UIFontWeight weight;
    bool italic;
};

// Fonts the app asks for by name that are not installed here, and the face that stands in.
const std::map<std::string, NamedFace>& substitutes() {
    static const std::map<std::string, NamedFace> table = {
        {"Avenir-Book", {systemFamily, UIFontWeight::regular, false}},
        {"Avenir-Medium", {systemFamily, UIFontWeight::medium, false}},
        {"Avenir-Heavy", {systemFamily, UIFontWeight::heavy, false}},
    };
    return table;
}

UIFontWeight weightFromFontconfig(int weight) {
    if (weight <= FC_WEIGHT_THIN) {
        return UIFontWeight::ultraLight;
    }
    if (weight <= FC_WEIGHT_EXTRALIGHT) {
        return UIFontWeight::thin;
    }
    if (weight <= FC_WEIGHT_LIGHT) {
        return UIFontWeight::light;
    }
    if (weight <= FC_WEIGHT_REGULAR) {
        return UIFontWeight::regular;
    }
    if (weight <= FC_WEIGHT_MEDIUM) {
        return UIFontWeight::medium;
    }
    if (weight <= FC_WEIGHT_SEMIBOLD) {
        return UIFontWeight::semibold;
    }
    if (weight <= FC_WEIGHT_BOLD) {
        return UIFontWeight::bold;
    }
    if (weight <= FC_WEIGHT_EXTRABOLD) {
        return UIFontWeight::heavy;
    }
    return UIFontWeight::black;
}

PangoWeight pangoWeight(UIFontWeight weight) {
    switch (weight) {
    case UIFontWeight::ultraLight:
        return PANGO_WEIGHT_THIN;
    case UIFontWeight::thin:
        return PANGO_WEIGHT_ULTRALIGHT;
    case UIFontWeight::light:
        return PANGO_WEIGHT_LIGHT;
    case UIFontWeight::regular:
        return PANGO_WEIGHT_NORMAL;
    case UIFontWeight::medium:
        return PANGO_WEIGHT_MEDIUM;
    case UIFontWeight::semibold:
        return PANGO_WEIGHT_SEMIBOLD;
    case UIFontWeight::bold:
        return PANGO_WEIGHT_BOLD;
    case UIFontWeight::heavy:
        return PANGO_WEIGHT_ULTRABOLD;
    case UIFontWeight::black:
        return PANGO_WEIGHT_HEAVY;
    }
    return PANGO_WEIGHT_NORMAL;
}

const char* styleName(UIFontWeight weight) {
    switch (weight) {
    case UIFontWeight::ultraLight:
        return "Hairline";
    case UIFontWeight::thin:
        return "Thin";
    case UIFontWeight::light:
        return "Light";
    case UIFontWeight::regular:
        return "Regular";
    case UIFontWeight::medium:
        return "Medium";
    case UIFontWeight::semibold:
        return "Semibold";
    case UIFontWeight::bold:
        return "Bold";
    case UIFontWeight::heavy:
        return "Heavy";
    case UIFontWeight::black:
        return "Black";
    }
    return "Regular";
}

// The first installed face whose `object` property equals name.
std::optional<NamedFace> installedFace(const char* object, const std::string& name) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, object, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_WEIGHT, FC_SLANT, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    std::optional<NamedFace> face;
    if (fonts && fonts->nfont > 0) {
        FcChar8* family = nullptr;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(fonts->fonts[0], FC_FAMILY, 0, &family) == FcResultMatch) {
            FcPatternGetInteger(fonts->fonts[0], FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(fonts->fonts[0], FC_SLANT, 0, &slant);
            face = NamedFace{reinterpret_cast<const char*>(family), weightFromFontconfig(weight),
                             slant != FC_SLANT_ROMAN};
        }
    }
    if (fonts) {
        FcFontSetDestroy(fonts);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return face;
}

std::optional<NamedFace> lookUpFace(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, std::optional<NamedFace>> cache;
    std::lock_guard lock(mutex);
    if (auto it = cache.find(name); it != cache.end()) {
        return it->second;
    }
    std::optional<NamedFace> face;
    if (auto it = substitutes().find(name); it != substitutes().end()) {
        face = it->second;
    } else if (!name.empty()) {
        face = installedFace(FC_POSTSCRIPT_NAME, name);
        if (!face) {
            face = installedFace(FC_FULLNAME, name);
        }
        if (!face) {
            face = installedFace(FC_FAMILY, name);
        }
    }
    cache.emplace(name, face);
    return face;
}

struct Metrics {
    CGFloat ascent;
    CGFloat descent;
    CGFloat height;
};

Metrics metricsFor(const UIFont& font) {
    using Key = std::tuple<std::string, UIFontWeight, bool, CGFloat>;
    static std::mutex mutex;
    static std::map<Key, Metrics> cache;
    Key key{font.familyName(), font.weight(), font.isItalic(), font.pointSize()};
    std::lock_guard lock(mutex);
    if (auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }
    PangoFontDescription* description = font.newPangoFontDescription();
    PangoFontMetrics* m =
        pango_context_get_metrics(TextLayout::pangoContext(), description, pango_language_from_string("en"));
    CGFloat ascent = pango_font_metrics_get_ascent(m) / double(PANGO_SCALE);
    CGFloat descent = pango_font_metrics_get_descent(m) / double(PANGO_SCALE);
    CGFloat height = std::max(pango_font_metrics_get_height(m) / double(PANGO_SCALE), ascent + descent);
    pango_font_metrics_unref(m);
    pango_font_description_free(description);
    // The line gap is shared above and below, as text layout places it.
    CGFloat halfGap = (height - ascent - descent) / 2;
    Metrics metrics{ascent + halfGap, descent + halfGap, height};
    cache.emplace(key, metrics);
    return metrics;
}

} // namespace

// Fontconfig keeps its configuration and match results for the whole process, partly where the
// leak checker cannot see them (Pango's font loading thread); the D-Bus library, which SDL opens for
// a window, frees its own only when the whole process asks it to. Every program that sets text links
// this file, so its leak checks report only real leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}

UIFont::UIFont(std::string fontName, std::string family, UIFontWeight weight, bool italic, CGFloat size)
    : fontName_(std::move(fontName)), family_(std::move(family)), weight_(weight), italic_(italic),
      size_(size > 0 ? size : systemFontSize()) {}

UIFont UIFont::systemFontOfSize(CGFloat size, UIFontWeight weight) {
    return UIFont(std::string(systemFamily) + "-" + styleName(weight), systemFamily, weight, false, size);
}

UIFont UIFont::italicSystemFontOfSize(CGFloat size) {
    return UIFont(std::string(systemFamily) + "-Italic", systemFamily, UIFontWeight::regular, true, size);
}

std::optional<UIFont> UIFont::fontWithName(const std::string& name, CGFloat size) {
    std::optional<NamedFace> face = lookUpFace(name);
    if (!face) {
        return std::nullopt;
    }
    return UIFont(name, face->family, face->weight, face->italic, size);
}

UIFont UIFont::preferredFontForTextStyle(UIFontTextStyle style) {
    switch (style) {
    case UIFontTextStyle::largeTitle:
        return systemFontOfSize(34);
    case UIFontTextStyle::title1:
        return systemFontOfSize(28);
    case UIFontTextStyle::title2:
        return systemFontOfSize(22);
    case UIFontTextStyle::title3:
        return systemFontOfSize(20);
    case UIFontTextStyle::headline:
        return systemFontOfSize(17, UIFontWeight::semibold);
    case UIFontTextStyle::subheadline:
        return systemFontOfSize(15);
    case UIFontTextStyle::body:
        return systemFontOfSize(17);
    case UIFontTextStyle::callout:
        return systemFontOfSize(16);
    case UIFontTextStyle::footnote:
        return systemFontOfSize(13);
    case UIFontTextStyle::caption1:
        return systemFontOfSize(12);
    case UIFontTextStyle::caption2:
        return systemFontOfSize(11);
    }
    return systemFontOfSize(17);
}

UIFont UIFont::fontWithSize(CGFloat size) const {
    UIFont copy = *this;
    copy.size_ = size > 0 ? size : size_;
    return copy;
}

PangoFontDescription* UIFont::newPangoFontDescription() const {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, family_.c_str());
    pango_font_description_set_weight(description, pangoWeight(weight_));
    pango_font_description_set_style(description, italic_ ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(description, size_ * PANGO_SCALE);
    return description;
}

CGFloat UIFont::ascender() const {
    return metricsFor(*this).ascent;
}

CGFloat UIFont::descender() const {
    return -metricsFor(*this).descent;
}

CGFloat UIFont::lineHeight() const {
    return metricsFor(*this).height;
}
