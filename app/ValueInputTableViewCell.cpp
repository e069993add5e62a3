#include "app/ValueInputTableViewCell.h"

#include "app/ColorManager.h"
#include "app/InputFieldStyle.h"
#include "platform/kits/DTTextField.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UILabel.h"

void ValueInputTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (inputTextField) {
        inputTextField->backgroundLayer()->setBackgroundColor(UIColor::systemBackgroundColor().cgColor());
        switchOffSystemKeyboard(*inputTextField);
    }
    if (titleLabel)
        titleLabel->setTextColor(ColorManager::labelColor());
    if (mathLabel)
        mathLabel->setTextColor(ColorManager::labelColor());
    if (unitLabel)
        unitLabel->setTextColor(ColorManager::labelColor());
}
