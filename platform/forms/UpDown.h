// TUpDown: the pair of arrow buttons beside a number edit, its Associate. A click on an arrow,
// or Up and Down typed in the edit, reads the edit's number, steps it by one within Min..Max
// (without wrapping) and writes it back. The program places the pair itself, as its forms store
// them; the up-down does not move or shrink its edit.
#pragma once
#include "platform/forms/WinControl.h"
#include <QPointer>

class TEdit;

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    TEdit* Associate() const { return FAssociate; }
    void SetAssociate(TEdit* edit);
    // A range given the wrong way round is read the right way round.
    int Min() const { return FMin; }
    void SetMin(int min);
    int Max() const { return FMax; }
    void SetMax(int max);
    // The edit's number, held within the range; Min when the edit holds no number.
    int Position() const;
    // Held within the range and written into the edit.
    void SetPosition(int position);
    // What the arrows do: +1 up, -1 down.
    void Step(int delta);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int Clamped(int value) const;
    void DropAssociate();

    TEdit* FAssociate = nullptr;
    QPointer<QObject> FKeyFilter;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};
