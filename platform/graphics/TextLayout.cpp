#include "platform/graphics/TextLayout.h"

#include "platform/graphics/CGContext.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace {

struct ContextHolder {
    PangoContext* context = nullptr;
    ~ContextHolder() {
        if (context) {
            g_object_unref(context);
        }
    }
};

thread_local ContextHolder threadContext;

} // namespace

// Unhinted, unrounded metrics make a layout's size independent of the scale it is drawn at.
PangoContext* TextLayout::pangoContext() {
    if (!threadContext.context) {
        PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(context, FALSE);
        pango_context_set_language(context, pango_language_from_string("en"));
        threadContext.context = context;
    }
    return threadContext.context;
}

namespace {

guint16 channel(CGFloat value) {
    return static_cast<guint16>(std::lround(value * 65535));
}

void addRunAttributes(PangoAttrList* list, const NSAttributedString::Run& run, guint start) {
    guint end = start + static_cast<guint>(run.text.size());
    UIFont font = run.attributes.font.value_or(UIFont::systemFontOfSize(12));
    PangoFontDescription* description = font.newPangoFontDescription();
    PangoAttribute* fontAttribute = pango_attr_font_desc_new(description);
    pango_font_description_free(description);
    UIColor::RGBA color = run.attributes.foregroundColor.value_or(UIColor::blackColor()).rgba();
    PangoAttribute* foreground =
        pango_attr_foreground_new(channel(color.red), channel(color.green), channel(color.blue));
    PangoAttribute* alpha = pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(color.alpha)));
    // Lines as tall as the font's line height, line gap included, as the platform sets text.
    PangoAttribute* lineHeight =
        pango_attr_line_height_new_absolute(static_cast<int>(font.lineHeight() * PANGO_SCALE));
    for (PangoAttribute* attribute : {fontAttribute, foreground, alpha, lineHeight}) {
        attribute->start_index = start;
        attribute->end_index = end;
        pango_attr_list_insert(list, attribute);
    }
}

PangoAlignment pangoAlignment(NSTextAlignment alignment) {
    switch (alignment) {
    case NSTextAlignment::center:
        return PANGO_ALIGN_CENTER;
    case NSTextAlignment::right:
        return PANGO_ALIGN_RIGHT;
    default:
        return PANGO_ALIGN_LEFT;
    }
}

void applyLineBreakMode(PangoLayout* layout, NSLineBreakMode mode, int numberOfLines) {
    pango_layout_set_wrap(layout,
                          mode == NSLineBreakMode::byCharWrapping ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
    switch (mode) {
    case NSLineBreakMode::byTruncatingHead:
        ellipsize = PANGO_ELLIPSIZE_START;
        break;
    case NSLineBreakMode::byTruncatingMiddle:
        ellipsize = PANGO_ELLIPSIZE_MIDDLE;
        break;
    case NSLineBreakMode::byTruncatingTail:
        ellipsize = PANGO_ELLIPSIZE_END;
        break;
    default:
        break;
    }
    if (ellipsize != PANGO_ELLIPSIZE_NONE) {
        pango_layout_set_ellipsize(layout, ellipsize);
        // A negative height limits the number of lines before the last is truncated.
        pango_layout_set_height(layout, numberOfLines > 0 ? -numberOfLines : -1);
    }
}

// A wrapped layout cut after this many lines, or all of them.
int visibleLines(PangoLayout* layout, int numberOfLines) {
    int count = pango_layout_get_line_count(layout);
    return numberOfLines > 0 ? std::min(count, numberOfLines) : count;
}

} // namespace

TextLayout::TextLayout(const NSAttributedString& text) : TextLayout(text, Options{}) {}

TextLayout::TextLayout(const NSAttributedString& text, const Options& options)
    : layout_(pango_layout_new(pangoContext())), width_(options.width), numberOfLines_(options.numberOfLines),
      empty_(text.empty()) {
    pango_layout_set_text(layout_, text.string().c_str(), static_cast<int>(text.string().size()));
    PangoAttrList* attributes = pango_attr_list_new();
    guint start = 0;
    for (const NSAttributedString::Run& run : text.runs()) {
        addRunAttributes(attributes, run, start);
        start += static_cast<guint>(run.text.size());
    }
    // Lines break without an added hyphen, as the platform's text does by default.
    pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
    pango_layout_set_attributes(layout_, attributes);
    pango_attr_list_unref(attributes);

    NSParagraphStyle paragraph = text.attributesAtStart().paragraphStyle.value_or(NSParagraphStyle{});
    NSTextAlignment alignment = options.alignment.value_or(paragraph.alignment);
    NSLineBreakMode lineBreak = options.lineBreakMode.value_or(paragraph.lineBreakMode);
    pango_layout_set_alignment(layout_, pangoAlignment(alignment));
    pango_layout_set_justify(layout_, alignment == NSTextAlignment::justified);
    if (width_ > 0 && std::isfinite(width_)) {
        pango_layout_set_width(layout_, static_cast<int>(std::ceil(width_ * PANGO_SCALE)));
        applyLineBreakMode(layout_, lineBreak, numberOfLines_);
    }
}

TextLayout::~TextLayout() {
    g_object_unref(layout_);
}

int TextLayout::lineCount() const {
    return empty_ ? 0 : visibleLines(layout_, numberOfLines_);
}

CGSize TextLayout::size() const {
    if (empty_) {
        return {};
    }
    int lines = lineCount();
    PangoLayoutIter* iter = pango_layout_get_iter(layout_);
    int maxWidth = 0;
    for (int i = 0; i < lines; ++i) {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        maxWidth = std::max(maxWidth, logical.width);
        if (!pango_layout_iter_next_line(iter)) {
            break;
        }
    }
    pango_layout_iter_free(iter);
    return {maxWidth / double(PANGO_SCALE), heightOfLines(lines)};
}

CGFloat TextLayout::firstBaseline() const {
    return pango_layout_get_baseline(layout_) / double(PANGO_SCALE);
}

CGFloat TextLayout::heightOfLines(int n) const {
    if (n <= 0) {
        return 0;
    }
    PangoLayoutIter* iter = pango_layout_get_iter(layout_);
    int bottom = 0;
    for (int i = 0; i < n; ++i) {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        bottom = logical.y + logical.height;
        if (!pango_layout_iter_next_line(iter)) {
            break;
        }
    }
    pango_layout_iter_free(iter);
    return bottom / double(PANGO_SCALE);
}

void TextLayout::draw(CGContext& context, CGPoint origin, CGFloat maxHeight) const {
    if (empty_) {
        return;
    }
    // Rounding of measured sizes must not cost the last line.
    constexpr CGFloat tolerance = 0.5;
    cairo_t* cr = context.cairo();
    int lines = lineCount();
    PangoLayoutIter* iter = pango_layout_get_iter(layout_);
    for (int i = 0; i < lines; ++i) {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        CGFloat bottom = (logical.y + logical.height) / double(PANGO_SCALE);
        if (i > 0 && maxHeight > 0 && bottom > maxHeight + tolerance) {
            break;
        }
        CGFloat baseline = pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE);
        cairo_move_to(cr, origin.x + logical.x / double(PANGO_SCALE), origin.y + baseline);
        pango_cairo_show_layout_line(cr, pango_layout_iter_get_line_readonly(iter));
        if (!pango_layout_iter_next_line(iter)) {
            break;
        }
    }
    pango_layout_iter_free(iter);
}
