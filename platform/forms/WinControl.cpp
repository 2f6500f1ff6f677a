#include "platform/forms/WinControl.h"
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include "platform/messages/Application.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Children may outlive this object for a moment (their owner frees them later); they must
    // not reach back into a parent that is going.
    for (TControl* control : FControls)
        control->FParent = nullptr;
    FControls.clear();
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    if (control->Align() != alNone)
        AlignControls();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    if (control->Align() != alNone)
        AlignControls();
}

void TWinControl::Realign()
{
    AlignControls();
}

TRect TWinControl::AlignArea() const
{
    QWidget* client = ClientWidget();
    return client ? Rect(0, 0, client->width(), client->height()) : TRect();
}

void TWinControl::AlignControls()
{
    if (FAligning || !ClientWidget())
        return;
    FAligning = true;
    for (TControl* control : std::vector<TControl*>(FControls))
        control->parent_aligning();
    TRect area = AlignArea();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> group;
        for (TControl* control : FControls)
            if (control->Align() == align && control->Visible() && control->Widget())
                group.push_back(control);
        // Among equals the one nearest to its edge goes first; ties keep creation order.
        std::stable_sort(group.begin(), group.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        for (TControl* control : group) {
            int w = control->Width();
            int h = control->Height();
            switch (align) {
            case alTop:
                control->Place(area.Left, area.Top, area.Width(), h);
                area.Top += h;
                break;
            case alBottom:
                control->Place(area.Left, area.Bottom - h, area.Width(), h);
                area.Bottom -= h;
                break;
            case alLeft:
                control->Place(area.Left, area.Top, w, area.Height());
                area.Left += w;
                break;
            case alRight:
                control->Place(area.Right - w, area.Top, w, area.Height());
                area.Right -= w;
                break;
            default:
                control->Place(area.Left, area.Top, area.Width(), area.Height());
                break;
            }
        }
    }
    FAligning = false;
}

void TWinControl::SetFocus()
{
    // The class library raises for a hidden control; a focus request that cannot be met yet is
    // harmless here and Qt keeps it for when the window is shown.
    if (Widget() && Enabled())
        Widget()->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const
{
    return Widget() && Widget()->hasFocus();
}

bool TWinControl::CanFocus() const
{
    return Widget() && Widget()->isVisible() && Widget()->isEnabled();
}

void TWinControl::SetTabStop(bool tabStop)
{
    FTabStop = tabStop;
    if (Widget())
        Widget()->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::font_changed()
{
    TControl::font_changed();
    for (TControl* control : FControls)
        control->ApplyParentFont();
}

bool TWinControl::widget_event(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == ClientWidget()) {
            AlignControls();
            Dispatch([this] { resize_event(); });
        }
        return false;
    case QEvent::FocusIn:
        if (watched == Widget() && OnEnter)
            Dispatch([this] { OnEnter(this); });
        return false;
    case QEvent::FocusOut:
        if (watched == Widget() && OnExit)
            Dispatch([this] { OnExit(this); });
        return false;
    default:
        return TControl::widget_event(watched, event);
    }
}
