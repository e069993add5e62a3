#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIColor.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
class CGContext;

enum class UIImageRenderingMode { automatic, alwaysOriginal, alwaysTemplate };

// An immutable image: either an ARGB bitmap at a scale or a vector drawing (system symbols,
// icons) that is drawn afresh at every size. Template images draw only their shape, in the
// tint colour of whoever draws them.
class UIImage : public std::enable_shared_from_this<UIImage> {
  public:
    using VectorDrawing = std::function<void(CGContext&, const CGRect&)>;

    // A PNG resource of the main bundle: "name@3x.png", "name@2x.png", "name.png" or the name as
    // given, first match wins.
    static std::shared_ptr<UIImage> imageNamed(const std::string& name);
    static std::shared_ptr<UIImage> imageNamed(const std::string& name, const std::string& bundleDirectory);
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::string& path);
    static std::shared_ptr<UIImage> imageWithData(const std::vector<std::uint8_t>& png, CGFloat scale = 1);
    // The vector symbols "lock.fill", "lock.open.fill" and "plus", as templates; nothing for
    // another name.
    static std::shared_ptr<UIImage> systemImageNamed(const std::string& name);
    static std::shared_ptr<UIImage> vectorImage(CGSize size, VectorDrawing drawing,
                                                UIImageRenderingMode mode = UIImageRenderingMode::automatic);
    // Takes ownership of an image surface; its size is its pixel size divided by scale.
    static std::shared_ptr<UIImage> imageWithSurface(cairo_surface_t* surface, CGFloat scale);

    ~UIImage();

    CGSize size() const { return size_; }
    CGFloat scale() const { return scale_; }
    UIImageRenderingMode renderingMode() const { return mode_; }
    std::shared_ptr<UIImage> imageWithRenderingMode(UIImageRenderingMode mode) const;
    bool isTemplate() const { return mode_ == UIImageRenderingMode::alwaysTemplate; }

    // Pixels of the image; a vector image is drawn at its own scale on first use.
    cairo_surface_t* cairoSurface() const;
    // Straight (unpremultiplied) colour of the pixel at a point; nothing outside the image.
    std::optional<UIColor::RGBA> colorAtPoint(CGPoint point) const;

    // UIImagePNGRepresentation; nothing for an empty image.
    std::optional<std::vector<std::uint8_t>> pngData() const;
    bool writePNG(const std::string& path) const;

    // Templates are drawn in the tint (black when none).
    void draw(CGContext& context, const CGRect& rect,
              const std::optional<UIColor>& tint = std::nullopt) const;
    // Into the current UIGraphics context.
    void drawInRect(const CGRect& rect) const;
    void drawAtPoint(CGPoint point) const;

  private:
    UIImage() = default;

    CGSize size_;
    CGFloat scale_ = 1;
    UIImageRenderingMode mode_ = UIImageRenderingMode::automatic;
    std::shared_ptr<cairo_surface_t> bitmap_;
    VectorDrawing vector_;
    mutable std::shared_ptr<cairo_surface_t> rasterized_;
};

inline std::optional<std::vector<std::uint8_t>>
UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image) {
    return image ? image->pngData() : std::nullopt;
}
