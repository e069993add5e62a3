#include "platform/graphics/UIGraphicsImageRenderer.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <cmath>

void UIGraphicsImageRendererContext::fillRect(const CGRect& rect) const { context_.fillRect(rect); }

UIGraphicsImageRenderer::UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format)
    : UIGraphicsImageRenderer(CGRect{CGPoint{}, size}, format) {}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(const CGRect& bounds, UIGraphicsImageRendererFormat format)
    : bounds_(bounds.standardized()), format_(format) {
    if (format_.scale <= 0) {
        format_.scale = UIGraphics::mainScreenScale();
    }
}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::image(const Actions& actions) const {
    int width = std::max(0, static_cast<int>(std::ceil(bounds_.width() * format_.scale)));
    int height = std::max(0, static_cast<int>(std::ceil(bounds_.height() * format_.scale)));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
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
