#pragma once

#include "platform/graphics/CGGeometry.h"

class UILabel;

// The label's font size as a property of its own: setting it keeps the font's face.
CGFloat fontSize(const UILabel& label);
void setFontSize(UILabel& label, CGFloat size);
