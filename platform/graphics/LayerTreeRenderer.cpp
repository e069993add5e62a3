#include "platform/graphics/LayerTreeRenderer.h"

#include "platform/graphics/CALayer.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <tuple>
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

// Maps a sublayer's bounds space to its superlayer's, as presented now.
CGAffineTransform presentedToSuperlayer(const CALayer& sublayer) {
    const CGRect& b = sublayer.bounds();
    return CGAffineTransform::makeTranslation(-(b.origin.x + sublayer.anchorPoint().x * b.size.width),
                                              -(b.origin.y + sublayer.anchorPoint().y * b.size.height))
        .concatenating(sublayer.presentationTransform().affineTransform())
        .concatenating(CGAffineTransform::makeTranslation(sublayer.position().x, sublayer.position().y));
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
        extent = extent.unionWith(presentedToSuperlayer(*sublayer).apply(subtreeExtent(*sublayer)));
    }
    return extent;
}

// The part of the bounds that the rounded corners leave whole.
CGRect insideCorners(const CALayer& layer) {
    CGFloat inset = std::max(0.0, layer.cornerRadius()) * (1 - std::numbers::sqrt2 / 2);
    return layer.bounds().insetBy(inset, inset);
}

CGRect wholePixelsWithin(const CGRect& rect) {
    CGFloat left = std::ceil(rect.minX()), top = std::ceil(rect.minY());
    CGFloat right = std::floor(rect.maxX()), bottom = std::floor(rect.maxY());
    return right > left && bottom > top ? CGRect{left, top, right - left, bottom - top} : CGRect{};
}

void addSublayersCover(const CALayer& layer, const CGAffineTransform& toDevice, const CGRect& clip,
                       std::vector<CGRect>& cover);

// Collects the whole device pixels, within `clip`, that the layer's opaque background, or else
// those of its sublayers, will paint over; `toDevice` maps its bounds space to device space.
void addOpaqueCover(const CALayer& layer, const CGAffineTransform& toDevice, const CGRect& clip,
                    std::vector<CGRect>& cover) {
    if (layer.isHidden() || layer.presentationOpacity() < 1 || layer.mask() || toDevice.b != 0 ||
        toDevice.c != 0) {
        return;
    }
    CGRect inside = toDevice.apply(insideCorners(layer)).intersection(clip);
    if (layer.backgroundColor() && layer.backgroundColor()->alpha() >= 1) {
        if (CGRect pixels = wholePixelsWithin(inside); !pixels.isEmpty()) {
            cover.push_back(pixels);
        }
        return;
    }
    addSublayersCover(layer, toDevice, layer.masksToBounds() ? inside : clip, cover);
}

void addSublayersCover(const CALayer& layer, const CGAffineTransform& toDevice, const CGRect& clip,
                       std::vector<CGRect>& cover) {
    for (const auto& sublayer : layer.sublayers()) {
        if (invertible(*sublayer)) {
            addOpaqueCover(*sublayer, presentedToSuperlayer(*sublayer).concatenating(toDevice), clip, cover);
        }
    }
}

// Where a clip is made of whole pixels, each pixel is drawn entirely or not at all, so what an
// opaque pixel hides need not be drawn.
bool clipIsWholePixels(cairo_t* cr) {
    cairo_rectangle_list_t* rectangles = cairo_copy_clip_rectangle_list(cr);
    bool whole = rectangles->status == CAIRO_STATUS_SUCCESS;
    cairo_rectangle_list_destroy(rectangles);
    return whole;
}

// Leaves the holes (whole device pixels within `outer`) out of the clip.
void clipOut(cairo_t* cr, const std::vector<CGRect>& holes, const CGRect& outer) {
    if (holes.empty() || !clipIsWholePixels(cr)) {
        return;
    }
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    cairo_identity_matrix(cr);
    for (const CGRect& hole : holes) {
        // The outer rectangle one way round, the hole the other: only the hole winds to zero.
        cairo_new_path(cr);
        cairo_rectangle(cr, outer.minX(), outer.minY(), outer.width(), outer.height());
        cairo_move_to(cr, hole.minX(), hole.minY());
        cairo_line_to(cr, hole.minX(), hole.maxY());
        cairo_line_to(cr, hole.maxX(), hole.maxY());
        cairo_line_to(cr, hole.maxX(), hole.minY());
        cairo_close_path(cr);
        cairo_clip(cr);
    }
    cairo_set_matrix(cr, &ctm);
}

// Leaves out of the clip what the layer's opaque sublayers will paint over, so that a background
// is not filled beneath them.
void clipOutOpaqueCover(cairo_t* cr, const CALayer& layer) {
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    if (ctm.xy != 0 || ctm.yx != 0) {
        return;
    }
    CGAffineTransform toDevice{ctm.xx, ctm.yx, ctm.xy, ctm.yy, ctm.x0, ctm.y0};
    CGRect outer = toDevice.apply(layer.bounds()).integral();
    std::vector<CGRect> cover;
    addSublayersCover(layer, toDevice, layer.masksToBounds() ? toDevice.apply(insideCorners(layer)) : outer,
                      cover);
    clipOut(cr, cover, outer);
}

// Clears what the layer tree will leave uncovered within the clip.
void clearUncovered(cairo_t* cr, const CALayer& layer) {
    cairo_save(cr);
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    cairo_identity_matrix(cr);
    double left = 0, top = 0, right = 0, bottom = 0;
    cairo_clip_extents(cr, &left, &top, &right, &bottom);
    CGRect outer = CGRect{left, top, right - left, bottom - top}.integral();
    std::vector<CGRect> cover;
    addOpaqueCover(layer, {ctm.xx, ctm.yx, ctm.xy, ctm.yy, ctm.x0, ctm.y0}, outer, cover);
    clipOut(cr, cover, outer);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Three box blurs approximate a Gaussian of the given deviation (in pixels). Both directions run
// along rows with running sums, which keeps the vertical passes cache-friendly.
void blurAlpha(unsigned char* data, int width, int height, int stride, CGFloat sigma) {
    if (sigma < 0.5 || width == 0 || height == 0) {
        return;
    }
    int radius = std::max(1, static_cast<int>(std::lround(std::sqrt(4 * sigma * sigma + 1) / 2 - 0.5)));
    int window = 2 * radius + 1;
    // Fixed-point reciprocal of the window, rounded so that 255 stays 255.
    const std::uint32_t scale =
        ((1u << 24) + static_cast<std::uint32_t>(window) - 1) / static_cast<std::uint32_t>(window);
    std::vector<unsigned char> copy(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(width));
    auto row = [&](unsigned char* base, int y) { return base + static_cast<std::ptrdiff_t>(y) * stride; };
    for (int round = 0; round < 3; ++round) {
        for (int y = 0; y < height; ++y) {
            unsigned char* line = row(data, y);
            unsigned char* out = row(copy.data(), y);
            std::uint32_t sum = 0;
            for (int x = 0; x < std::min(radius, width); ++x) {
                sum += line[x];
            }
            for (int x = 0; x < width; ++x) {
                if (x + radius < width) {
                    sum += line[x + radius];
                }
                out[x] = static_cast<unsigned char>((sum * scale) >> 24);
                if (x - radius >= 0) {
                    sum -= line[x - radius];
                }
            }
        }
        std::fill(sums.begin(), sums.end(), 0u);
        for (int y = 0; y < std::min(radius, height); ++y) {
            const unsigned char* line = row(copy.data(), y);
            for (int x = 0; x < width; ++x) {
                sums[static_cast<std::size_t>(x)] += line[x];
            }
        }
        for (int y = 0; y < height; ++y) {
            if (y + radius < height) {
                const unsigned char* entering = row(copy.data(), y + radius);
                for (int x = 0; x < width; ++x) {
                    sums[static_cast<std::size_t>(x)] += entering[x];
                }
            }
            unsigned char* out = row(data, y);
            for (int x = 0; x < width; ++x) {
                out[x] = static_cast<unsigned char>((sums[static_cast<std::size_t>(x)] * scale) >> 24);
            }
            if (y - radius >= 0) {
                const unsigned char* leaving = row(copy.data(), y - radius);
                for (int x = 0; x < width; ++x) {
                    sums[static_cast<std::size_t>(x)] -= leaving[x];
                }
            }
        }
    }
}

CGFloat shadowSigma(const CALayer& layer, const cairo_matrix_t& ctm) {
    CGFloat pixelsPerPoint = std::sqrt(std::abs(ctm.xx * ctm.yy - ctm.xy * ctm.yx));
    return layer.shadowRadius() * pixelsPerPoint / 2;
}

int blurMargin(CGFloat sigma) {
    return static_cast<int>(std::ceil(3 * sigma)) + 1;
}

CGSize deviceShadowOffset(cairo_t* cr, const CALayer& layer) {
    CGSize offset = layer.shadowOffset();
    cairo_user_to_device_distance(cr, &offset.width, &offset.height);
    return offset;
}

// Masks the shadow colour through a blurred alpha surface whose pixel (0, 0) lies at (x, y) in
// device space.
void paintShadowMask(cairo_t* cr, const CALayer& layer, cairo_surface_t* alpha, double x, double y,
                     double opacity) {
    UIColor::RGBA color = layer.shadowColor()->rgba();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_rgba(cr, color.red, color.green, color.blue,
                          color.alpha * std::clamp<double>(layer.shadowOpacity(), 0, 1) * opacity);
    cairo_mask_surface(cr, alpha, x, y);
    cairo_restore(cr);
}

// Paints the blurred, offset alpha of the content group in the shadow colour.
void paintContentShadow(cairo_t* cr, const CALayer& layer, cairo_pattern_t* content) {
    cairo_surface_t* group = nullptr;
    if (cairo_pattern_get_surface(content, &group) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(group) != CAIRO_SURFACE_TYPE_IMAGE) {
        return;
    }
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    CGFloat sigma = shadowSigma(layer, ctm);
    int margin = blurMargin(sigma);
    int width = cairo_image_surface_get_width(group);
    int height = cairo_image_surface_get_height(group);
    double originX = 0, originY = 0;
    cairo_surface_get_device_offset(group, &originX, &originY);

    cairo_surface_t* alpha =
        cairo_image_surface_create(CAIRO_FORMAT_A8, width + 2 * margin, height + 2 * margin);
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
    // The group's pixel (0, 0) lies at minus its device offset in device space.
    CGSize offset = deviceShadowOffset(cr, layer);
    paintShadowMask(cr, layer, alpha, offset.width - originX - margin, offset.height - originY - margin, 1);
    cairo_surface_destroy(alpha);
}

// A layer with an opaque background and nothing drawn outside its shape casts the shadow of that
// shape, which depends only on sizes and can be kept between frames.
bool castsShapeShadow(const CALayer& layer, const cairo_matrix_t& ctm) {
    if (ctm.xy != 0 || ctm.yx != 0 || !layer.backgroundColor() || layer.backgroundColor()->alpha() < 1) {
        return false;
    }
    const CGRect& bounds = layer.bounds();
    CGFloat radius = std::max(0.0, layer.cornerRadius());
    if (radius > 0 && layer.contents()) {
        return false;
    }
    if (!bounds.contains(layer.contentExtent())) {
        return false;
    }
    // Keeps sublayers out of the rounded corners.
    CGRect inner = insideCorners(layer);
    for (const auto& sublayer : layer.sublayers()) {
        if (sublayer->isHidden()) {
            continue;
        }
        CGRect extent = subtreeExtent(*sublayer);
        CGAffineTransform toLayer = sublayer->transformToSuperlayer();
        if (!inner.contains(toLayer.apply(extent))) {
            return false;
        }
    }
    return true;
}

void paintShapeShadow(cairo_t* cr, const CALayer& layer, double opacity) {
    struct Key {
        long width, height, radius, sigma, phaseX, phaseY;
        bool operator<(const Key& o) const {
            return std::tie(width, height, radius, sigma, phaseX, phaseY) <
                   std::tie(o.width, o.height, o.radius, o.sigma, o.phaseX, o.phaseY);
        }
    };
    thread_local std::map<Key, std::shared_ptr<cairo_surface_t>> cache;
    constexpr std::size_t cacheLimit = 128;

    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    const CGRect& bounds = layer.bounds();
    double x = bounds.minX(), y = bounds.minY();
    cairo_user_to_device(cr, &x, &y);
    double width = std::abs(ctm.xx) * bounds.width();
    double height = std::abs(ctm.yy) * bounds.height();
    CGSize offset = deviceShadowOffset(cr, layer);
    x = (ctm.xx < 0 ? x - width : x) + offset.width;
    y = (ctm.yy < 0 ? y - height : y) + offset.height;
    double radius = std::max(0.0, layer.cornerRadius()) * std::min(std::abs(ctm.xx), std::abs(ctm.yy));
    CGFloat sigma = shadowSigma(layer, ctm);
    int margin = blurMargin(sigma);
    // Quarter pixels: the blur hides the difference. The surface holds the shape at its position
    // within a pixel, so that it is masked at whole pixels, without resampling.
    auto quarter = [](double v) { return std::lround(v * 4); };
    long left = quarter(x), top = quarter(y);
    long pixelX = static_cast<long>(std::floor(left / 4.0)),
         pixelY = static_cast<long>(std::floor(top / 4.0));
    Key key{quarter(width), quarter(height),   quarter(radius),
            quarter(sigma), left - 4 * pixelX, top - 4 * pixelY};
    auto& alpha = cache[key];
    if (!alpha) {
        if (cache.size() > cacheLimit) {
            cache.clear();
            return paintShapeShadow(cr, layer, opacity);
        }
        int w = static_cast<int>(std::ceil(width)) + 1 + 2 * margin;
        int h = static_cast<int>(std::ceil(height)) + 1 + 2 * margin;
        alpha.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h), cairo_surface_destroy);
        cairo_t* shapeCr = cairo_create(alpha.get());
        CGContext shape(shapeCr);
        shape.beginPath();
        shape.addPath(CGPath::withRoundedRect(
            {margin + key.phaseX / 4.0, margin + key.phaseY / 4.0, width, height}, radius));
        shape.fillPath();
        cairo_destroy(shapeCr);
        cairo_surface_flush(alpha.get());
        blurAlpha(cairo_image_surface_get_data(alpha.get()), w, h,
                  cairo_image_surface_get_stride(alpha.get()), sigma);
        cairo_surface_mark_dirty(alpha.get());
    }
    CGRect mask{double(pixelX - margin), double(pixelY - margin),
                double(cairo_image_surface_get_width(alpha.get())),
                double(cairo_image_surface_get_height(alpha.get()))};
    cairo_save(cr);
    // Unless faded, the layer's opaque background will hide the shadow beneath it.
    CGAffineTransform toDevice{ctm.xx, ctm.yx, ctm.xy, ctm.yy, ctm.x0, ctm.y0};
    CGRect hidden = wholePixelsWithin(toDevice.apply(insideCorners(layer)));
    if (opacity >= 1 && !hidden.isEmpty()) {
        clipOut(cr, {hidden}, mask);
    }
    paintShadowMask(cr, layer, alpha.get(), mask.minX(), mask.minY(), opacity);
    cairo_restore(cr);
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
    // A layer that clips to its bounds clips its own shadow away too.
    bool shadow = layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0 &&
                  !layer.masksToBounds();
    if (shadow && !layer.mask()) {
        cairo_matrix_t ctm;
        cairo_get_matrix(cr, &ctm);
        if (castsShapeShadow(layer, ctm)) {
            paintShapeShadow(cr, layer, opacity);
            shadow = false;
        }
    }
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
        paintContentShadow(cr, layer, content);
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
        context.saveGState();
        clipOutOpaqueCover(context.cairo(), layer);
        addShape(context, bounds, radius);
        context.setFillColor(*layer.backgroundColor());
        context.fillPath();
        context.restoreGState();
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

void LayerTreeRenderer::render(CALayer& layer, CGContext& context) {
    renderLayer(layer, context, true);
}

void LayerTreeRenderer::renderContent(CALayer& layer, CGContext& context) {
    renderLayer(layer, context, false);
}

void LayerTreeRenderer::renderReplacing(CALayer& layer, CGContext& context) {
    clearUncovered(context.cairo(), layer);
    renderLayer(layer, context, false);
}
