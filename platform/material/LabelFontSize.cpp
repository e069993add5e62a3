#include "platform/material/LabelFontSize.h"

#include "platform/uikit/UILabel.h"

CGFloat fontSize(const UILabel& label) {
    return label.font().pointSize();
}

void setFontSize(UILabel& label, CGFloat size) {
    label.setFont(label.font().fontWithSize(size));
}
