// THotKey: the field in which the user presses a hot key. A key pressed with any of Shift, Ctrl
// and Alt held becomes HotKey, a shortcut code of the class library (virtual key + 0x2000 Shift
// + 0x4000 Ctrl + 0x8000 Alt; F12 alone is 123). Every combination is taken as pressed, plain keys
// too, since the program's own default is a plain F12. Space, Backspace and Delete empty the
// field; Tab, Enter and Escape keep their meaning in the dialog. The field shows the combination
// as "Ctrl + Alt + F12", or "Ei mitään" when it is empty.
#pragma once
#include "platform/forms/WinControl.h"

class HotKeyLineEdit;

class THotKey : public TWinControl {
public:
    explicit THotKey(TComponent* owner);

    TShortCut HotKey() const { return FHotKey; }
    // A code without a key (modifiers only) or with a key the field cannot name empties it.
    void SetHotKey(TShortCut hotKey);

private:
    friend class HotKeyLineEdit;
    void KeyPressed(WORD key, TShiftState shift);
    void ModifiersHeld(TShiftState shift);

    HotKeyLineEdit* FEdit;
    TShortCut FHotKey = 0;
};
