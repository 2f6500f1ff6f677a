// TControl: a component with a place on a parent and a Qt widget behind it. Owner (who frees)
// and Parent (where it sits) are separate, as in the class library.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/messages/Messages.h"
#include "platform/forms/Font.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/SizeConstraints.h"
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
// The edges of the parent a control keeps its distance to when the parent is resized; with
// neither edge of a direction the control keeps its centre's share of the parent.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
// Reading order right to left, with the alignment and scroll bar mirrored (bdRightToLeft), only
// the scroll bar (bdRightToLeftNoAlign) or neither (bdRightToLeftReadingOnly).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// True for the user's mouse and key input to a widget that is disabled or lies in a disabled
// window: a control takes none, as in the class library.
bool IsInputToDisabledWidget(const QObject* receiver, const QEvent* event);

// A hint's short part: what stands before its first '|'.
AnsiString GetShortHint(const AnsiString& hint);

// What a control allows others to do with it. A control whose style holds csReplicatable may be
// drawn as a copy elsewhere (a windowed control's PaintTo draws only such children); without
// csDoubleClicks a double click reaches it as a second press, without OnDblClick.
enum TControlStyleFlag { csDoubleClicks, csReplicatable };
using TControlStyle = TSet<TControlStyleFlag>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

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
    // Ends ParentColor.
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    // Shown while the mouse rests on the control, when it or the nearest parent that shows hints
    // has ShowHint: the part before a '|', of the nearest control up from there with a hint.
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& hint);
    bool ShowHint() const { return FShowHint; }
    // Ends ParentShowHint.
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    // A sunken border (true) or a flat one.
    bool Ctl3D() const { return FCtl3D; }
    // Ends ParentCtl3D.
    void SetCtl3D(bool ctl3D);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool parentCtl3D);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    // Ends ParentBiDiMode.
    void SetBiDiMode(TBiDiMode mode);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool parentBiDiMode);
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftScrollBar() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }
    // The edges kept at their distance when the parent's size changes; left and top by default.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors);
    // Limits every size the control is given, by code or by alignment.
    TSizeConstraints* Constraints() { return &FConstraints; }
    // What help the control asks for; 0 asks for its parent's.
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int context) { FHelpContext = context; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }

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
    // The mouse moved over the control, with or without a button held.
    TMouseMoveEvent OnMouseMove;

protected:
    // Subclasses build their widget in their constructor and hand it over here.
    void SetWidget(QWidget* widget);
    // Routes the events of an inner widget (a scroll area's viewport) through widget_event too.
    void WatchWidget(QWidget* inner);
    // Every event of the watched widgets passes here first; true swallows it.
    virtual bool widget_event(QObject* watched, QEvent* event);
    virtual void font_changed();
    virtual void color_changed();
    // The border's look follows Ctl3D; the reading order follows BiDiMode.
    virtual void ctl3d_changed() {}
    virtual void bidi_mode_changed();
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
    // Takes the members that follow the parent from it and passes them on to the children.
    void FollowParent();
    void PassOnToChildren();
    void Place(int left, int top, int width, int height);
    // Notes the distances the anchors keep, from the bounds given now.
    void UpdateAnchorRules();
    // The bounds the anchors give within the parent's area.
    void ApplyAnchors(const TRect& area);
    bool HandleMouse(QObject* watched, QEvent* event);
    bool HandleMouseMove(QObject* watched, QEvent* event);
    bool HandleHint(QEvent* event);
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
    bool FParentColor = false;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TAnchors FAnchors{akLeft, akTop};
    // The control's bounds and the parent's area when the bounds were last given.
    TRect FAnchorBounds;
    TRect FAnchorArea;
    TSizeConstraints FConstraints;
    int FHelpContext = 0;
    TControlStyle FControlStyle{csDoubleClicks};
    TPopupMenu* FPopupMenu = nullptr;
};
