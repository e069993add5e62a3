#include "platform/graphics/UIImage.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <numbers>

namespace {

std::shared_ptr<cairo_surface_t> ownSurface(cairo_surface_t* surface) {
    return std::shared_ptr<cairo_surface_t>(surface, cairo_surface_destroy);
}

bool usable(cairo_surface_t* surface) {
    return surface && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE;
}

// Every image is kept as premultiplied ARGB32 so pixel reads have one layout.
cairo_surface_t* asARGB32(cairo_surface_t* surface) {
    if (cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32) {
        return surface;
    }
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    cairo_surface_t* converted = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(converted);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return converted;
}

struct ByteReader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t offset = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<ByteReader*>(closure);
    if (reader->bytes.size() - reader->offset < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, reader->bytes.data() + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// "name@2x.png" is drawn at scale 2.
CGFloat scaleFromFileName(const std::filesystem::path& path) {
    std::string stem = path.stem().string();
    auto at = stem.rfind('@');
    if (at != std::string::npos && stem.size() == at + 3 && stem[at + 2] == 'x' && stem[at + 1] >= '1' &&
        stem[at + 1] <= '9') {
        return stem[at + 1] - '0';
    }
    return 1;
}

// A padlock in a box 17/22 as wide as it is high, at the left of r; the open one's shackle is
// swung up and to the right, its left leg still in the body.
void drawPadlock(CGContext& context, const CGRect& r, bool open) {
    constexpr CGFloat pi = std::numbers::pi;
    CGFloat h = r.height();
    CGFloat w = h * 17 / 22;
    CGFloat radius = 0.27 * w;
    CGFloat bodyTop = r.minY() + 0.45 * h;
    CGFloat cx = r.minX() + (open ? 1.02 * w : 0.5 * w);
    CGFloat top = r.minY() + 0.06 * h + radius;
    context.setFillColor(UIColor::blackColor());
    context.setStrokeColor(UIColor::blackColor());
    context.setLineWidth(0.13 * w);
    context.beginPath();
    context.moveTo({cx - radius, bodyTop + 0.02 * h});
    context.addLineTo({cx - radius, top});
    context.addArc({cx, top}, radius, pi, 2 * pi, true);
    context.addLineTo({cx + radius, open ? r.minY() + 0.3 * h : bodyTop + 0.02 * h});
    context.strokePath();
    context.beginPath();
    context.addPath(CGPath::withRoundedRect({r.minX() + 0.1 * w, bodyTop, 0.8 * w, 0.55 * h}, 0.12 * w));
    context.fillPath();
}

void drawLock(CGContext& context, const CGRect& r) {
    drawPadlock(context, r, false);
}

void drawOpenLock(CGContext& context, const CGRect& r) {
    drawPadlock(context, r, true);
}

void drawPlus(CGContext& context, const CGRect& r) {
    context.setStrokeColor(UIColor::blackColor());
    context.setLineWidth(0.12 * std::min(r.width(), r.height()));
    context.setLineCap(CGLineCap::round);
    CGFloat inset = 0.1;
    context.strokeLineSegments({{r.minX() + inset * r.width(), r.midY()},
                                {r.maxX() - inset * r.width(), r.midY()},
                                {r.midX(), r.minY() + inset * r.height()},
                                {r.midX(), r.maxY() - inset * r.height()}});
}

struct Symbol {
    CGSize size;
    UIImage::VectorDrawing drawing;
};

const std::map<std::string, Symbol>& symbols() {
    static const std::map<std::string, Symbol> table = {
        {"lock.fill", {{17, 22}, drawLock}},
        {"lock.open.fill", {{24, 22}, drawOpenLock}},
        {"plus", {{18, 18}, drawPlus}},
    };
    return table;
}

std::shared_ptr<UIImage> loadCached(const std::filesystem::path& path) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, std::weak_ptr<UIImage>> cache;
    std::lock_guard lock(mutex);
    if (auto image = cache[path].lock()) {
        return image;
    }
    auto image = UIImage::imageWithContentsOfFile(path.string());
    if (image) {
        cache[path] = image;
    }
    return image;
}

} // namespace

UIImage::~UIImage() = default;

std::shared_ptr<UIImage> UIImage::imageNamed(const std::string& name) {
    return imageNamed(name, Bundle::mainBundle()->bundlePath().string());
}

std::shared_ptr<UIImage> UIImage::imageNamed(const std::string& name, const std::string& bundleDirectory) {
    if (name.empty()) {
        return nullptr;
    }
    std::filesystem::path dir(bundleDirectory);
    std::vector<std::filesystem::path> candidates;
    if (std::filesystem::path(name).extension() == ".png") {
        candidates.push_back(dir / name);
    } else {
        candidates = {dir / (name + "@3x.png"), dir / (name + "@2x.png"), dir / (name + ".png"), dir / name};
    }
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            if (auto image = loadCached(candidate)) {
                return image;
            }
        }
    }
    return nullptr;
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return nullptr;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return imageWithData(bytes, scaleFromFileName(path));
}

std::shared_ptr<UIImage> UIImage::imageWithData(const std::vector<std::uint8_t>& png, CGFloat scale) {
    ByteReader reader{png};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (!usable(surface)) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return imageWithSurface(surface, scale);
}

std::shared_ptr<UIImage> UIImage::systemImageNamed(const std::string& name) {
    auto it = symbols().find(name);
    if (it == symbols().end()) {
        return nullptr;
    }
    return vectorImage(it->second.size, it->second.drawing, UIImageRenderingMode::alwaysTemplate);
}

std::shared_ptr<UIImage> UIImage::vectorImage(CGSize size, VectorDrawing drawing, UIImageRenderingMode mode) {
    std::shared_ptr<UIImage> image(new UIImage());
    image->size_ = size;
    image->scale_ = UIGraphics::mainScreenScale();
    image->mode_ = mode;
    image->vector_ = std::move(drawing);
    return image;
}

std::shared_ptr<UIImage> UIImage::imageWithSurface(cairo_surface_t* surface, CGFloat scale) {
    if (!usable(surface)) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    surface = asARGB32(surface);
    std::shared_ptr<UIImage> image(new UIImage());
    image->scale_ = scale > 0 ? scale : 1;
    image->size_ = {cairo_image_surface_get_width(surface) / image->scale_,
                    cairo_image_surface_get_height(surface) / image->scale_};
    image->bitmap_ = ownSurface(surface);
    return image;
}

std::shared_ptr<UIImage> UIImage::imageWithRenderingMode(UIImageRenderingMode mode) const {
    std::shared_ptr<UIImage> copy(new UIImage());
    copy->size_ = size_;
    copy->scale_ = scale_;
    copy->mode_ = mode;
    copy->bitmap_ = bitmap_;
    copy->vector_ = vector_;
    copy->rasterized_ = rasterized_;
    return copy;
}

cairo_surface_t* UIImage::cairoSurface() const {
    if (bitmap_) {
        return bitmap_.get();
    }
    if (!rasterized_) {
        int width = static_cast<int>(std::ceil(size_.width * scale_));
        int height = static_cast<int>(std::ceil(size_.height * scale_));
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale_, scale_);
        {
            CGContext context(cr);
            vector_(context, {CGPoint{}, size_});
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        rasterized_ = ownSurface(surface);
    }
    return rasterized_.get();
}

std::optional<UIColor::RGBA> UIImage::colorAtPoint(CGPoint point) const {
    cairo_surface_t* surface = cairoSurface();
    int x = static_cast<int>(std::floor(point.x * scale_));
    int y = static_cast<int>(std::floor(point.y * scale_));
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
        y >= cairo_image_surface_get_height(surface)) {
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    std::uint32_t pixel;
    std::memcpy(&pixel, row + 4 * x, sizeof pixel);
    CGFloat a = ((pixel >> 24) & 0xff) / 255.0;
    if (a == 0) {
        return UIColor::RGBA{0, 0, 0, 0};
    }
    auto channel = [&](int shift) { return std::min(1.0, ((pixel >> shift) & 0xff) / 255.0 / a); };
    return UIColor::RGBA{channel(16), channel(8), channel(0), a};
}

std::optional<std::vector<std::uint8_t>> UIImage::pngData() const {
    cairo_surface_t* surface = cairoSurface();
    if (cairo_image_surface_get_width(surface) == 0 || cairo_image_surface_get_height(surface) == 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (cairo_surface_write_to_png_stream(surface, writeBytes, &bytes) != CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    return bytes;
}

bool UIImage::writePNG(const std::string& path) const {
    auto bytes = pngData();
    if (!bytes) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    out.close();
    return out.good();
}

void UIImage::draw(CGContext& context, const CGRect& rect, const std::optional<UIColor>& tint) const {
    CGRect r = rect.standardized();
    if (r.isEmpty() || size_.width <= 0 || size_.height <= 0) {
        return;
    }
    cairo_t* cr = context.cairo();
    bool masked = isTemplate();
    if (vector_ && !masked) {
        context.saveGState();
        context.translateBy(r.minX(), r.minY());
        context.scaleBy(r.width() / size_.width, r.height() / size_.height);
        vector_(context, {CGPoint{}, size_});
        context.restoreGState();
        return;
    }
    cairo_save(cr);
    cairo_pattern_t* shape = nullptr;
    if (vector_) {
        cairo_push_group(cr);
        cairo_translate(cr, r.minX(), r.minY());
        cairo_scale(cr, r.width() / size_.width, r.height() / size_.height);
        {
            CGContext inner(cr);
            vector_(inner, {CGPoint{}, size_});
        }
        shape = cairo_pop_group(cr);
    } else {
        cairo_surface_t* surface = bitmap_.get();
        shape = cairo_pattern_create_for_surface(surface);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, cairo_image_surface_get_width(surface) / r.width(),
                                cairo_image_surface_get_height(surface) / r.height());
        cairo_matrix_translate(&m, -r.minX(), -r.minY());
        cairo_pattern_set_matrix(shape, &m);
        cairo_pattern_set_filter(shape, CAIRO_FILTER_GOOD);
        cairo_pattern_set_extend(shape, CAIRO_EXTEND_PAD);
    }
    cairo_rectangle(cr, r.minX(), r.minY(), r.width(), r.height());
    cairo_clip(cr);
    if (masked) {
        UIColor::RGBA c = tint.value_or(UIColor::blackColor()).rgba();
        cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
        cairo_mask(cr, shape);
    } else {
        cairo_set_source(cr, shape);
        cairo_paint(cr);
    }
    cairo_pattern_destroy(shape);
    cairo_restore(cr);
}

void UIImage::drawInRect(const CGRect& rect) const {
    if (CGContext* context = UIGraphics::currentContext()) {
        draw(*context, rect);
    }
}

void UIImage::drawAtPoint(CGPoint point) const {
    drawInRect({point, size_});
}
