// TControl: a component with a place on a parent and a Qt widget behind it. Owner (who frees)
// and Parent (where it sits) are separate, as in the class library.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/messages/Messages.h"
#include "platform/forms/Font.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/Types.h"
#include <QPointer>
#include <QWidget>
#include <functional>

class QEvent;
class TPopupMenu;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// True for the user's mouse and key input to a widget that is disabled or lies in a disabled
// window: a control takes none, as in the class library.
bool IsInputToDisabledWidget(const QObject* receiver, const QEvent* event);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    virtual int Left() const;
    virtual int Top() const;
    virtual int Width() const;
    virtual int Height() const;
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    virtual int ClientWidth() const;
    virtual int ClientHeight() const;
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and on every parent up to a shown window.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);

    TFont* Font() { return &FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& hint);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    void BringToFront();
    void SendToBack();
    void Invalidate();
    void Repaint();
    void Refresh() { Repaint(); }

    // Client coordinates of this control to screen coordinates and back.
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    // The few window messages the program sends to controls: WM_LBUTTONDOWN / WM_LBUTTONUP
    // (LParam = x | y << 16, client coordinates) act as a real left click would, WM_COPY copies
    // an edit's selection. Others return 0.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    QWidget* Widget() const { return FWidget; }
    // The control a widget (or a widget inside it) belongs to, or nullptr.
    static TControl* FromWidget(const QObject* widget);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // Subclasses build their widget in their constructor and hand it over here.
    void SetWidget(QWidget* widget);
    // Routes the events of an inner widget (a scroll area's viewport) through widget_event too.
    void WatchWidget(QWidget* inner);
    // Every event of the watched widgets passes here first; true swallows it.
    virtual bool widget_event(QObject* watched, QEvent* event);
    virtual void font_changed();
    virtual void color_changed();
    // The widget that takes the mouse (a scroll area's viewport).
    virtual QWidget* InputWidget() const { return Widget(); }
    // Called after Qt has handled a mouse press or release of InputWidget, before OnMouseDown
    // or OnMouseUp, when FWantsAfterMouse is set: for controls whose own events follow the
    // native handling.
    virtual void after_mouse_event(QEvent* event) { (void)event; }
    virtual void copy_message() {}
    // The parent is about to align its children; a control that keeps a sibling within bounds
    // does it here.
    virtual void parent_aligning() {}
    // Fires OnClick; controls call it for user actions only.
    virtual void Click();
    void Notification(TComponent* component, TOperation operation) override;

    bool FWantsAfterMouse = false;
    // Without a pop-up menu the request goes on to the parent, as the class library's does;
    // controls whose Qt widget brings a menu of its own that the original lacks set this.
    bool FSuppressQtContextMenu = false;

private:
    friend class TWinControl;
    friend class ControlEventFilter;
    void ApplyParentFont();
    void Place(int left, int top, int width, int height);
    bool HandleMouse(QObject* watched, QEvent* event);
    bool HandleContextMenu(QEvent* event);

    QPointer<QWidget> FWidget;
    QObject* FFilter = nullptr;
    TWinControl* FParent = nullptr;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TFont FFont;
    TColor FColor = clBtnFace;
    AnsiString FHint;
    TPopupMenu* FPopupMenu = nullptr;
};
