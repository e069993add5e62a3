#include "platform/uikit/UIDevice.h"

std::shared_ptr<UIDevice> UIDevice::currentDevice() {
    static auto device = std::make_shared<UIDevice>();
    return device;
}
