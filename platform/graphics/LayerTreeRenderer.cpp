#include "platform/graphics/LayerTreeRenderer.h"

#include "platform/graphics/CALayer.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void applyGeometry(cairo_t* cr, const CALayer& layer) {
    const CGRect& b = layer.bounds();
    CGPoint anchor = layer.anchorPoint();
    CGPoint position = layer.position();
    cairo_translate(cr, position.x, position.y);
    CATransform3D transform = layer.presentationTransform();
    if (!transform.isIdentity()) {
        CGAffineTransform t = transform.affineTransform();
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_transform(cr, &m);
    }
    cairo_translate(cr, -(b.origin.x + anchor.x * b.size.width), -(b.origin.y + anchor.y * b.size.height));
}

bool invertible(const CALayer& layer) {
    CGAffineTransform t = layer.presentationTransform().affineTransform();
    CGFloat det = t.a * t.d - t.b * t.c;
    return det != 0 && std::isfinite(det);
}

void addShape(CGContext& context, const CGRect& rect, CGFloat cornerRadius) {
    context.beginPath();
    if (cornerRadius > 0) {
        context.addPath(CGPath::withRoundedRect(rect, cornerRadius));
    } else {
        context.addRect(rect);
    }
}

// Everything the layer and its visible sublayers may touch, in its bounds space.
CGRect subtreeExtent(const CALayer& layer) {
    CGRect extent = layer.contentExtent();
    if (layer.masksToBounds()) {
        return layer.bounds();
    }
    for (const auto& sublayer : layer.sublayers()) {
        if (sublayer->isHidden() || !invertible(*sublayer)) {
            continue;
        }
        CGAffineTransform t = CGAffineTransform::makeTranslation(-(sublayer->bounds().origin.x +
                                                                   sublayer->anchorPoint().x * sublayer->bounds().size.width),
                                                                 -(sublayer->bounds().origin.y +
                                                                   sublayer->anchorPoint().y * sublayer->bounds().size.height))
                                  .concatenating(sublayer->presentationTransform().affineTransform())
                                  .concatenating(CGAffineTransform::makeTranslation(sublayer->position().x,
                                                                                    sublayer->position().y));
        extent = extent.unionWith(t.apply(subtreeExtent(*sublayer)));
    }
    return extent;
}

// Three box blurs approximate a Gaussian of the given deviation (in pixels).
void blurAlpha(unsigned char* data, int width, int height, int stride, CGFloat sigma) {
    if (sigma < 0.5) {
        return;
    }
    int radius = std::max(1, static_cast<int>(std::lround(std::sqrt(4 * sigma * sigma + 1) / 2 - 0.5)));
    int window = 2 * radius + 1;
    std::vector<unsigned char> line(static_cast<std::size_t>(std::max(width, height)));
    auto pass = [&](unsigned char* start, int count, int step) {
        for (int i = 0; i < count; ++i) {
            line[static_cast<std::size_t>(i)] = start[i * step];
        }
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            sum += (i >= 0 && i < count) ? line[static_cast<std::size_t>(i)] : 0;
        }
        for (int i = 0; i < count; ++i) {
            start[i * step] = static_cast<unsigned char>(sum / window);
            int leaving = i - radius;
            int entering = i + radius + 1;
            sum -= (leaving >= 0) ? line[static_cast<std::size_t>(leaving)] : 0;
            sum += (entering < count) ? line[static_cast<std::size_t>(entering)] : 0;
        }
    };
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < height; ++y) {
            pass(data + y * stride, width, 1);
        }
        for (int x = 0; x < width; ++x) {
            pass(data + x, height, stride);
        }
    }
}

// Paints the blurred, offset alpha of the content group in the shadow colour.
void paintShadow(cairo_t* cr, const CALayer& layer, cairo_pattern_t* content) {
    cairo_surface_t* group = nullptr;
    if (cairo_pattern_get_surface(content, &group) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(group) != CAIRO_SURFACE_TYPE_IMAGE) {
        return;
    }
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    CGFloat pixelsPerPoint = std::sqrt(std::abs(ctm.xx * ctm.yy - ctm.xy * ctm.yx));
    CGFloat sigma = layer.shadowRadius() * pixelsPerPoint / 2;
    int margin = static_cast<int>(std::ceil(3 * sigma)) + 1;
    int width = cairo_image_surface_get_width(group);
    int height = cairo_image_surface_get_height(group);
    double originX = 0, originY = 0;
    cairo_surface_get_device_offset(group, &originX, &originY);

    cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_A8, width + 2 * margin, height + 2 * margin);
    cairo_t* alphaCr = cairo_create(alpha);
    cairo_surface_set_device_offset(group, 0, 0);
    cairo_set_source_surface(alphaCr, group, margin, margin);
    cairo_paint(alphaCr);
    cairo_surface_set_device_offset(group, originX, originY);
    cairo_destroy(alphaCr);
    cairo_surface_flush(alpha);
    blurAlpha(cairo_image_surface_get_data(alpha), width + 2 * margin, height + 2 * margin,
              cairo_image_surface_get_stride(alpha), sigma);
    cairo_surface_mark_dirty(alpha);

    double dx = layer.shadowOffset().width;
    double dy = layer.shadowOffset().height;
    cairo_user_to_device_distance(cr, &dx, &dy);
    UIColor::RGBA color = layer.shadowColor()->rgba();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_rgba(cr, color.red, color.green, color.blue,
                          color.alpha * std::clamp<double>(layer.shadowOpacity(), 0, 1));
    // The group's pixel (0, 0) lies at minus its device offset in device space.
    cairo_mask_surface(cr, alpha, -originX - margin + dx, -originY - margin + dy);
    cairo_restore(cr);
    cairo_surface_destroy(alpha);
}

void drawLayerItself(CALayer& layer, CGContext& context);

void renderLayer(CALayer& layer, CGContext& context, bool withGeometry) {
    if (layer.isHidden()) {
        return;
    }
    float opacity = std::clamp(layer.presentationOpacity(), 0.0f, 1.0f);
    if (opacity <= 0 || (withGeometry && !invertible(layer))) {
        return;
    }
    cairo_t* cr = context.cairo();
    context.saveGState();
    if (withGeometry) {
        applyGeometry(cr, layer);
    }
    bool shadow = layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
    if (!shadow && opacity >= 1 && !layer.mask()) {
        drawLayerItself(layer, context);
        context.restoreGState();
        return;
    }
    CGRect extent = subtreeExtent(layer);
    context.saveGState();
    context.clipToRect(extent);
    cairo_push_group(cr);
    drawLayerItself(layer, context);
    if (layer.mask()) {
        cairo_push_group(cr);
        renderLayer(*layer.mask(), context, true);
        cairo_pattern_t* mask = cairo_pop_group(cr);
        cairo_pattern_t* unmasked = cairo_pop_group(cr);
        cairo_push_group(cr);
        cairo_set_source(cr, unmasked);
        cairo_mask(cr, mask);
        cairo_pattern_destroy(unmasked);
        cairo_pattern_destroy(mask);
    }
    cairo_pattern_t* content = cairo_pop_group(cr);
    context.restoreGState();
    if (shadow) {
        paintShadow(cr, layer, content);
    }
    cairo_set_source(cr, content);
    cairo_paint_with_alpha(cr, opacity);
    cairo_pattern_destroy(content);
    context.restoreGState();
}

void drawLayerItself(CALayer& layer, CGContext& context) {
    const CGRect& bounds = layer.bounds();
    CGFloat radius = std::max(0.0, layer.cornerRadius());
    if (layer.backgroundColor() && layer.backgroundColor()->alpha() > 0) {
        addShape(context, bounds, radius);
        context.setFillColor(*layer.backgroundColor());
        context.fillPath();
    }
    context.saveGState();
    if (layer.masksToBounds()) {
        addShape(context, bounds, radius);
        context.clip();
    }
    if (layer.contents()) {
        layer.contents()->draw(context, bounds);
    }
    context.saveGState();
    layer.drawInContext(context);
    context.restoreGState();
    for (const auto& sublayer : std::vector<std::shared_ptr<CALayer>>(layer.sublayers())) {
        renderLayer(*sublayer, context, true);
    }
    context.restoreGState();
    if (layer.borderWidth() > 0 && layer.borderColor() && layer.borderColor()->alpha() > 0) {
        CGFloat inset = layer.borderWidth() / 2;
        addShape(context, bounds.insetBy(inset, inset), std::max(0.0, radius - inset));
        context.setStrokeColor(*layer.borderColor());
        context.setLineWidth(layer.borderWidth());
        context.strokePath();
    }
}

} // namespace

void LayerTreeRenderer::render(CALayer& layer, CGContext& context) { renderLayer(layer, context, true); }

void LayerTreeRenderer::renderContent(CALayer& layer, CGContext& context) { renderLayer(layer, context, false); }
