// Any text must parse to a formula or an error, and either must lay out and draw, within bounded time
// and memory.
#include "platform/math/MathParser.h"
#include "platform/math/MathRenderer.h"
#include "platform/math/MathTypesetter.h"

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MathFont font = *MathFont::latinModernMath(20);
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
    const MathTypesetter typesetter(font);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const MathParseResult result = MathParser::parse(text);
    const MathDisplayNode display = result.formula ? typesetter.typeset(*result.formula, MathStyle::Display)
                                                   : typesetter.typesetPlainText(text, 0xFF0000FF);
    if (result.formula)
        typesetter.typeset(*result.formula, MathStyle::ScriptScript);

    cairo_t* cr = cairo_create(surface);
    MathRenderer::draw(cr, display, font, 2, 40, 0x000000FF);
    cairo_destroy(cr);
    return 0;
}
