#include "platform/graphics/UIGraphicsImageRenderer.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <cmath>
#include <cstdlib>

namespace {

cairo_surface_t* uninitializedSurface(int width, int height) {
    static cairo_user_data_key_t pixelsKey;
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    void* pixels = stride < 0 ? nullptr : std::malloc(static_cast<std::size_t>(stride) * height + 1);
    if (!pixels) {
        return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, width, height, stride);
    if (cairo_surface_set_user_data(surface, &pixelsKey, pixels, std::free) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        std::free(pixels);
        return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    }
    return surface;
}

} // namespace

void UIGraphicsImageRendererContext::fillRect(const CGRect& rect) const {
    context_.fillRect(rect);
}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format)
    : UIGraphicsImageRenderer(CGRect{CGPoint{}, size}, format) {}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(const CGRect& bounds, UIGraphicsImageRendererFormat format)
    : bounds_(bounds.standardized()), format_(format) {
    if (format_.scale <= 0) {
        format_.scale = UIGraphics::mainScreenScale();
    }
}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::image(const Actions& actions) const {
    return render(actions, true);
}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::imageSettingEveryPixel(const Actions& actions) const {
    return render(actions, false);
}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::render(const Actions& actions, bool cleared) const {
    int width = std::max(0, static_cast<int>(std::ceil(bounds_.width() * format_.scale)));
    int height = std::max(0, static_cast<int>(std::ceil(bounds_.height() * format_.scale)));
    cairo_surface_t* surface = cleared ? cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)
                                       : uninitializedSurface(width, height);
    cairo_t* cr = cairo_create(surface);
    if (format_.opaque) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    cairo_scale(cr, format_.scale, format_.scale);
    cairo_translate(cr, -bounds_.minX(), -bounds_.minY());
    {
        CGContext context(cr);
        UIGraphicsImageRendererContext rendererContext(context, format_);
        UIGraphics::pushContext(context);
        if (actions) {
            actions(rendererContext);
        }
        UIGraphics::popContext();
    }
    cairo_destroy(cr);
    return UIImage::imageWithSurface(surface, format_.scale);
}

std::optional<std::vector<std::uint8_t>> UIGraphicsImageRenderer::pngData(const Actions& actions) const {
    return image(actions)->pngData();
}
