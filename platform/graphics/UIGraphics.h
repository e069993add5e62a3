#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>

class CGContext;
class UIImage;

// The current drawing context of the thread (what a view's drawRect draws into) and the
// begin/get/end bitmap image context calls.
class UIGraphics {
  public:
    static CGContext* currentContext();
    // The caller keeps the context alive until the matching pop.
    static void pushContext(CGContext& context);
    static void popContext();

    // Scale 0 takes the main screen's scale.
    static void beginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
    // Nothing when no image context is current or its size is empty.
    static std::shared_ptr<UIImage> imageFromCurrentImageContext();
    static void endImageContext();

    // What the screen reports (set by the screen object of the toolkit); 3 until then.
    static CGFloat mainScreenScale();
    static void setMainScreenScale(CGFloat scale);
};

inline CGContext* UIGraphicsGetCurrentContext() {
    return UIGraphics::currentContext();
}
inline void UIGraphicsPushContext(CGContext& context) {
    UIGraphics::pushContext(context);
}
inline void UIGraphicsPopContext() {
    UIGraphics::popContext();
}
inline void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    UIGraphics::beginImageContextWithOptions(size, opaque, scale);
}
inline std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
    return UIGraphics::imageFromCurrentImageContext();
}
inline void UIGraphicsEndImageContext() {
    UIGraphics::endImageContext();
}
