// TWinControl: a control that can hold others, take the focus and see keys. Children with an
// Align take their place in the order top, bottom, left, right, client, as in the class library.
#pragma once
#include "platform/forms/Control.h"
#include <vector>

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }

    // Re-runs the alignment of the children (after a child changed its size from code).
    void Realign();
    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // True when the control takes this key itself instead of the form using it as a dialog key
    // (Enter for the default button, Escape for the cancel button).
    virtual bool WantsSpecialKey(WORD key) const
    {
        (void)key;
        return false;
    }

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The widget that holds the children (a form's area below its menu).
    virtual QWidget* ClientWidget() const { return Widget(); }

protected:
    bool widget_event(QObject* watched, QEvent* event) override;
    void font_changed() override;
    virtual void AlignControls();
    // The children's area within ClientWidget, in its coordinates.
    virtual TRect AlignArea() const;
    virtual void resize_event() {}

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> FControls;
    bool FAligning = false;
    bool FTabStop = true;
};
