#pragma once

#include "platform/graphics/CGGeometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CGContext;
class UIImage;

struct UIGraphicsImageRendererFormat {
    // 0: the main screen's scale.
    CGFloat scale = 0;
    bool opaque = false;

    static UIGraphicsImageRendererFormat defaultFormat() { return {}; }
};

class UIGraphicsImageRendererContext {
  public:
    UIGraphicsImageRendererContext(CGContext& context, const UIGraphicsImageRendererFormat& format)
        : context_(context), format_(format) {}

    CGContext& cgContext() const { return context_; }
    const UIGraphicsImageRendererFormat& format() const { return format_; }
    // With the context's fill colour.
    void fillRect(const CGRect& rect) const;

  private:
    CGContext& context_;
    UIGraphicsImageRendererFormat format_;
};

// Renders drawing actions into a bitmap image of a fixed point size at the format's scale.
// While the actions run their context is also the current UIGraphics context.
class UIGraphicsImageRenderer {
  public:
    using Actions = std::function<void(UIGraphicsImageRendererContext&)>;

    explicit UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format = {});
    explicit UIGraphicsImageRenderer(const CGRect& bounds, UIGraphicsImageRendererFormat format = {});

    const UIGraphicsImageRendererFormat& format() const { return format_; }
    // An empty size gives a blank 0 x 0 image.
    std::shared_ptr<UIImage> image(const Actions& actions) const;
    // As image, for actions that set every pixel (LayerTreeRenderer::renderReplacing does): the
    // bitmap is not cleared before they run.
    std::shared_ptr<UIImage> imageSettingEveryPixel(const Actions& actions) const;
    std::optional<std::vector<std::uint8_t>> pngData(const Actions& actions) const;

  private:
    std::shared_ptr<UIImage> render(const Actions& actions, bool cleared) const;

    CGRect bounds_;
    UIGraphicsImageRendererFormat format_;
};
