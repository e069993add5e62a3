#pragma once

class DTTextField;
class UITextField;

// Input fields take their characters from the screen's own keypad, never from the system keyboard.
void switchOffSystemKeyboard(UITextField& field);
// Field background, centred text, no system keyboard and no shortcut bar.
void styleInputField(DTTextField& field);
