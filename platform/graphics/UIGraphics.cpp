#include "platform/graphics/UIGraphics.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <atomic>
#include <cmath>
#include <vector>

namespace {

struct ImageContext {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::unique_ptr<CGContext> context;
    CGSize size;
    CGFloat scale = 1;
};

thread_local std::vector<CGContext*> contextStack;
thread_local std::vector<ImageContext> imageContexts;
std::atomic<CGFloat> screenScale{3.0};

} // namespace

CGContext* UIGraphics::currentContext() {
    return contextStack.empty() ? nullptr : contextStack.back();
}

void UIGraphics::pushContext(CGContext& context) {
    contextStack.push_back(&context);
}

void UIGraphics::popContext() {
    if (!contextStack.empty()) {
        contextStack.pop_back();
    }
}

void UIGraphics::beginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    ImageContext image;
    image.size = {std::max(0.0, size.width), std::max(0.0, size.height)};
    image.scale = scale > 0 ? scale : mainScreenScale();
    int width = static_cast<int>(std::ceil(image.size.width * image.scale));
    int height = static_cast<int>(std::ceil(image.size.height * image.scale));
    image.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    image.cr = cairo_create(image.surface);
    if (opaque) {
        cairo_set_source_rgb(image.cr, 0, 0, 0);
        cairo_paint(image.cr);
    }
    cairo_scale(image.cr, image.scale, image.scale);
    image.context = std::make_unique<CGContext>(image.cr);
    imageContexts.push_back(std::move(image));
    pushContext(*imageContexts.back().context);
}

std::shared_ptr<UIImage> UIGraphics::imageFromCurrentImageContext() {
    if (imageContexts.empty() || currentContext() != imageContexts.back().context.get()) {
        return nullptr;
    }
    const ImageContext& image = imageContexts.back();
    int width = cairo_image_surface_get_width(image.surface);
    int height = cairo_image_surface_get_height(image.surface);
    if (width == 0 || height == 0) {
        return nullptr;
    }
    cairo_surface_flush(image.surface);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, image.surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return UIImage::imageWithSurface(copy, image.scale);
}

void UIGraphics::endImageContext() {
    if (imageContexts.empty()) {
        return;
    }
    ImageContext& image = imageContexts.back();
    if (currentContext() == image.context.get()) {
        popContext();
    }
    image.context.reset();
    cairo_destroy(image.cr);
    cairo_surface_destroy(image.surface);
    imageContexts.pop_back();
}

CGFloat UIGraphics::mainScreenScale() {
    return screenScale.load();
}

void UIGraphics::setMainScreenScale(CGFloat scale) {
    if (scale > 0) {
        screenScale.store(scale);
    }
}
