// The cancel-mode notice: before a control opens something of its own that takes the mouse (a
// button's drop-down menu), the focused control of its form is told, so that a drop-down it
// holds open closes first.
#pragma once

class TControl;

class TCancelModeTarget {
public:
    virtual ~TCancelModeTarget() = default;
    // `sender` is the control that is about to open something.
    virtual void CancelMode(TControl* sender) = 0;
};

// Tells the focused control of the sender's form, when that control listens.
void SendCancelMode(TControl* sender);
