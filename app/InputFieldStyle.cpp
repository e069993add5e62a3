#include "app/InputFieldStyle.h"

#include "app/ColorManager.h"
#include "platform/kits/DTTextField.h"

void switchOffSystemKeyboard(UITextField& field) {
    field.setInputView(std::make_shared<UIView>());
    field.setAutocorrectionType(UITextAutocorrectionType::no);
    field.inputAssistantItem()->leadingBarButtonGroups.clear();
    field.inputAssistantItem()->trailingBarButtonGroups.clear();
}

void styleInputField(DTTextField& field) {
    field.backgroundLayer()->setBackgroundColor(ColorManager::fieldBackground().cgColor());
    field.setTextAlignment(NSTextAlignment::center);
    switchOffSystemKeyboard(field);
}
