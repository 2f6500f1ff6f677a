// TUpDownButtons: the pair of arrow buttons beside a number edit. A click reads the number from
// the edit, steps it by one within Min..Max (no wrapping) and writes it back. The forms layer has
// no up-down control; this one covers the alarm dialog's beep count.
#pragma once
#include "platform/forms/WinControl.h"

class TEdit;

class TUpDownButtons : public TWinControl {
public:
    explicit TUpDownButtons(TComponent* owner);

    TEdit* Associate() const { return FAssociate; }
    void SetAssociate(TEdit* edit) { FAssociate = edit; }
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetRange(int min, int max);
    // The edit's number, clamped to the range; Min when the edit holds none.
    int Position() const;
    void SetPosition(int position);
    // What the arrows do: +1 up, -1 down.
    void Step(int delta);

private:
    TEdit* FAssociate = nullptr;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};
