// TPageScroller: shows one control taller than itself, with arrow buttons at the top and the
// bottom that scroll it (no scroll bar takes width from a narrow column).
#pragma once
#include "platform/forms/WinControl.h"

class QToolButton;

class TPageScroller : public TWinControl {
public:
    explicit TPageScroller(TComponent* owner);

    TWinControl* Control() const { return FControl; }
    // The control becomes a child of the scroller and keeps its own height.
    void SetControl(TWinControl* control);
    int ButtonSize() const { return FButtonSize; }
    void SetButtonSize(int size);
    int Position() const { return FPosition; }
    void SetPosition(int position);

    QWidget* ClientWidget() const override;

protected:
    void AlignControls() override;
    bool widget_event(QObject* watched, QEvent* event) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Layout();
    QWidget* FView;
    QToolButton* FUp;
    QToolButton* FDown;
    TWinControl* FControl = nullptr;
    int FButtonSize = 12;
    int FPosition = 0;
};
