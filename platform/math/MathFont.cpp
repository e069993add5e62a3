#include "platform/math/MathFont.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <string>

struct MathFont::Face {
    hb_font_t* font = nullptr; // scaled in font units
    cairo_font_face_t* cairoFace = nullptr;
    double unitsPerEm = 1000;
    // Metrics of every glyph, read once: CFF outlines are slow to measure one by one.
    std::vector<MathGlyphMetrics> metrics;
    std::array<std::uint32_t, 128> asciiGlyphs{};
};

namespace {

constexpr unsigned maximumVariants = 64;
constexpr unsigned maximumParts = 16;

std::shared_ptr<const MathFont::Face> loadFace() {
    const std::string path(MathFont::latinModernMathPath);
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(path.c_str());
    if (!blob)
        return nullptr;
    hb_face_t* hbFace = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    if (!hb_ot_math_has_data(hbFace)) {
        hb_face_destroy(hbFace);
        return nullptr;
    }
    FT_Library library = nullptr;
    FT_Face ftFace = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        hb_face_destroy(hbFace);
        return nullptr;
    }
    if (FT_New_Face(library, path.c_str(), 0, &ftFace) != 0) {
        FT_Done_FreeType(library);
        hb_face_destroy(hbFace);
        return nullptr;
    }

    auto face = std::make_shared<MathFont::Face>();
    const unsigned upem = hb_face_get_upem(hbFace);
    face->unitsPerEm = upem;
    face->font = hb_font_create(hbFace);
    hb_face_destroy(hbFace);
    hb_font_set_scale(face->font, static_cast<int>(upem), static_cast<int>(upem));
    hb_font_make_immutable(face->font);
    face->cairoFace = cairo_ft_font_face_create_for_ft_face(ftFace, FT_LOAD_NO_HINTING);

    const unsigned count = hb_face_get_glyph_count(hb_font_get_face(face->font));
    face->metrics.resize(count);
    for (unsigned glyph = 0; glyph < count; ++glyph) {
        hb_glyph_extents_t extents{};
        hb_font_get_glyph_extents(face->font, glyph, &extents);
        MathGlyphMetrics& m = face->metrics[glyph];
        m.advance = hb_font_get_glyph_h_advance(face->font, glyph);
        m.ascent = extents.y_bearing;
        m.descent = -(extents.y_bearing + extents.height);
        m.italicCorrection = hb_ot_math_get_glyph_italics_correction(face->font, glyph);
        m.topAccentAttachment = hb_ot_math_get_glyph_top_accent_attachment(face->font, glyph);
    }
    for (char32_t c = 0; c < face->asciiGlyphs.size(); ++c) {
        hb_codepoint_t glyph = 0;
        hb_font_get_nominal_glyph(face->font, c, &glyph);
        face->asciiGlyphs[c] = glyph;
    }
    return face;
}

hb_direction_t direction(bool vertical) {
    return vertical ? HB_DIRECTION_BTT : HB_DIRECTION_LTR;
}

} // namespace

MathFont::MathFont(std::shared_ptr<const Face> face, double size)
    : face_(std::move(face)), size_(size), scale_(size / face_->unitsPerEm) {}

std::optional<MathFont> MathFont::latinModernMath(double size) {
    // Never destroyed: HarfBuzz, FreeType and cairo keep pointers into the face until the process ends.
    static const auto* face = new std::shared_ptr<const Face>(loadFace());
    if (!*face)
        return std::nullopt;
    return MathFont(*face, size);
}

MathFont MathFont::withSize(double size) const {
    return MathFont(face_, size);
}

std::uint32_t MathFont::glyph(char32_t c) const {
    if (c < face_->asciiGlyphs.size())
        return face_->asciiGlyphs[c];
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(face_->font, c, &glyph))
        return 0;
    return glyph;
}

MathGlyphMetrics MathFont::metrics(std::uint32_t glyph) const {
    if (glyph >= face_->metrics.size())
        glyph = 0;
    const MathGlyphMetrics& m = face_->metrics[glyph];
    return {m.advance * scale_, m.ascent * scale_, m.descent * scale_, m.italicCorrection * scale_,
            m.topAccentAttachment * scale_};
}

double MathFont::constant(hb_ot_math_constant_t constant) const {
    return hb_ot_math_get_constant(face_->font, constant) * scale_;
}

double MathFont::percent(hb_ot_math_constant_t constant) const {
    return hb_ot_math_get_constant(face_->font, constant);
}

std::vector<MathGlyphVariant> MathFont::variants(std::uint32_t glyph, bool vertical) const {
    hb_ot_math_glyph_variant_t found[maximumVariants];
    unsigned count = maximumVariants;
    hb_ot_math_get_glyph_variants(face_->font, glyph, direction(vertical), 0, &count, found);
    std::vector<MathGlyphVariant> result;
    result.reserve(count);
    for (unsigned i = 0; i < count; ++i)
        result.push_back({found[i].glyph, found[i].advance * scale_});
    return result;
}

std::vector<MathGlyphPart> MathFont::assembly(std::uint32_t glyph, bool vertical) const {
    hb_ot_math_glyph_part_t found[maximumParts];
    unsigned count = maximumParts;
    hb_position_t italicCorrection = 0;
    const unsigned total = hb_ot_math_get_glyph_assembly(face_->font, glyph, direction(vertical), 0, &count,
                                                         found, &italicCorrection);
    std::vector<MathGlyphPart> result;
    if (total > maximumParts) // a cut-off assembly would draw a broken shape
        return result;
    result.reserve(count);
    for (unsigned i = 0; i < count; ++i)
        result.push_back({found[i].glyph, found[i].start_connector_length * scale_,
                          found[i].end_connector_length * scale_, found[i].full_advance * scale_,
                          (found[i].flags & HB_OT_MATH_GLYPH_PART_FLAG_EXTENDER) != 0});
    return result;
}

double MathFont::minConnectorOverlap(bool vertical) const {
    return hb_ot_math_get_min_connector_overlap(face_->font, direction(vertical)) * scale_;
}

std::vector<MathShapedGlyph> MathFont::shape(std::u32string_view text, double& advance) const {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, HB_SCRIPT_LATIN);
    hb_buffer_set_language(buffer, hb_language_from_string("en", -1));
    hb_shape(face_->font, buffer, nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<MathShapedGlyph> glyphs;
    glyphs.reserve(count);
    double x = 0;
    for (unsigned i = 0; i < count; ++i) {
        glyphs.push_back(
            {infos[i].codepoint, x + positions[i].x_offset * scale_, positions[i].y_offset * scale_});
        x += positions[i].x_advance * scale_;
    }
    hb_buffer_destroy(buffer);
    advance = x;
    return glyphs;
}

cairo_font_face_t* MathFont::cairoFontFace() const {
    return face_->cairoFace;
}
