#pragma once

#include "platform/uikit/UIAdaptivePresentationControllerDelegate.h"

class UIPopoverPresentationControllerDelegate : public UIAdaptivePresentationControllerDelegate {};
