// TPaintBox: a control that shows what its OnPaint handler draws on its canvas.
#pragma once
#include "platform/forms/Canvas.h"
#include "platform/forms/Control.h"

class QPainter;

class TPaintBox : public TControl {
public:
    explicit TPaintBox(TComponent* owner);

    TCanvas* Canvas() { return &FCanvas; }
    // The painter of the paint in progress, for drawing the canvas does not offer (a recorded
    // page); nullptr outside OnPaint.
    QPainter* Painter() const { return FPainter; }

    TNotifyEvent OnPaint;

private:
    friend class PaintBoxWidget;
    void Paint(QPainter& painter);
    TCanvas FCanvas;
    QPainter* FPainter = nullptr;
};
