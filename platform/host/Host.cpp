#include "platform/host/Host.h"

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

void Host::stop(int status) {
    status_ = status;
    stopping_ = true;
    stopRunning();
}

void Host::end() {
    if (isStopping()) {
        return;
    }
    UIApplication::sharedApplication()->terminate();
    stop(0);
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

void Host::windowFocusChanged(bool focused) {
    windowFocused_ = focused;
    followWindow();
}

void Host::windowVisibilityChanged(bool visible) {
    windowVisible_ = visible;
    followWindow();
}

void Host::followWindow() {
    UIApplication::sharedApplication()->moveToState(!windowVisible_  ? UIApplicationState::background
                                                    : windowFocused_ ? UIApplicationState::active
                                                                     : UIApplicationState::inactive);
}
