#include "platform/host/Host.h"

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

void Host::stop(int status) {
    status_ = status;
    stopping_ = true;
    stopRunning();
}

std::shared_ptr<UIWindow> Host::keyWindow() {
    return UIApplication::sharedApplication()->keyWindow();
}

std::shared_ptr<UIImage> Host::renderKeyWindow(CGFloat scale) {
    auto window = keyWindow();
    return window ? window->renderImage(scale) : nullptr;
}

void Host::firstFrameRendered() {
    if (firstFrameDone_) {
        return;
    }
    firstFrameDone_ = true;
    if (firstFrameHandler_) {
        firstFrameHandler_();
    }
}
