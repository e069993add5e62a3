#include "platform/uikit/UIScreen.h"

#include "platform/graphics/UIGraphics.h"

std::shared_ptr<UIScreen> UIScreen::mainScreen() {
    static auto screen = std::make_shared<UIScreen>();
    return screen;
}

void UIScreen::configure(CGSize size, CGFloat scale, UIEdgeInsets safeAreaInsets) {
    size_ = size;
    scale_ = scale > 0 ? scale : 1;
    safeArea_ = safeAreaInsets;
    UIGraphics::setMainScreenScale(scale_);
}

void UIScreen::reset() {
    configure({390, 844}, 3, {47, 0, 34, 0});
}
