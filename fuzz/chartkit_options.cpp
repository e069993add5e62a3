// Any JSON option tree must lay out, draw and answer the pointer without throwing or crashing.
// Label formatters are taken out: a script that never returns is the engine's known limit.
#include "platform/chartkit/AAChartRenderer.h"
#include "platform/chartkit/AAPureJSString.h"
#include "platform/graphics/CGContext.h"

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 240, 180);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    aa_toPureJSString(text);

    nlohmann::json tree = nlohmann::json::parse(text, nullptr, false);
    if (tree.is_discarded())
        return 0;
    for (const char* axis : {"xAxis", "yAxis"})
        if (tree.is_object() && tree.contains(axis) && tree[axis].is_object() &&
            tree[axis].contains("labels") && tree[axis]["labels"].is_object())
            tree[axis]["labels"].erase("formatter");

    const AAChartRenderer chart(AAOptions(tree), {120, 90});
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 2, 2);
    {
        CGContext context(cr);
        chart.draw(context);
        chart.drawPointer(context, chart.frame().plot.center());
    }
    cairo_destroy(cr);
    return 0;
}
