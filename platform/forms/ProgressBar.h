// TProgressBar: a bar that fills from Min to Max as Position advances.
#pragma once
#include "platform/forms/WinControl.h"

class QProgressBar;

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int min);
    int Max() const { return FMax; }
    void SetMax(int max);
    int Position() const { return FPosition; }
    void SetPosition(int position);
    int Step() const { return FStep; }
    void SetStep(int step) { FStep = step; }
    // Advances Position by Step; past Max it starts again from Min.
    void StepIt();

private:
    void ShowValue();
    QProgressBar* FBar;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
};
