#include "platform/uikit/UIApplicationDelegate.h"

bool UIApplicationDelegate::applicationDidFinishLaunchingWithOptions(const std::shared_ptr<UIApplication>&,
                                                                     const AnyValue::Dictionary&) {
    return true;
}
