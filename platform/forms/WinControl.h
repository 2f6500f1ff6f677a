// TWinControl: a control that can hold others, take the focus and see keys. Children with an
// Align take their place in the order top, bottom, left, right, client, as in the class library.
#pragma once
#include "platform/forms/Control.h"
#include "platform/forms/Canvas.h"
#include <vector>

class QListWidget;

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// What input method a control wants while it has the focus: none at all (imDisable), one that
// starts in Latin letters (imClose, imAlpha, imSAlpha) or whatever the user has (the others).
enum TImeMode {
    imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel,
    imHanguel
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }

    // Re-runs the alignment of the children (after a child changed its size from code).
    void Realign();
    // Draws the control as it looks now onto canvas with its top-left at (X, Y), with those of
    // its visible children that are replicatable; the others leave the control's background.
    void PaintTo(TCanvas* canvas, int X, int Y);
    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // The control's place among its parent's windowed controls in the order Tab walks them
    // (-1 without a parent). Creation order by default; a place past the end is the last.
    int TabOrder() const;
    void SetTabOrder(int order);
    // A control dragged to dock (DragKind dkDock) may be released into this one.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool dockSite) { FDockSite = dockSite; }
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode mode);
    // True when the control takes this key itself instead of the form using it as a dialog key
    // (Enter for the default button, Escape for the cancel button, Tab to move the focus).
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
    // Makes a list box's Qt list the control's widget as both list boxes start out: single
    // selection, scrolled by whole items, the window colour and the platform's default size,
    // with mouse events that follow the list's own.
    void SetListWidget(QListWidget* list);
    virtual void AlignControls();
    // The children's area within ClientWidget, in its coordinates.
    virtual TRect AlignArea() const;
    // After the aligned children took their places: what they left free.
    virtual void controls_aligned(const TRect& rest) { (void)rest; }
    virtual void resize_event() {}

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Hands Qt the tab order of the windowed children.
    void ChainTabOrder();
    bool HandleInputMethodQuery(QObject* watched, QEvent* event);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    TImeMode FImeMode = imDontCare;
    bool FDockSite = false;
    bool FAligning = false;
    bool FTabStop = true;
};
