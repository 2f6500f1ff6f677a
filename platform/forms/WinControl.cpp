#include "platform/forms/WinControl.h"
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QWidget>
#include <algorithm>
#include "platform/messages/Application.h"
#include "platform/forms/HandOn.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // Children may outlive this object for a moment (their owner frees them later); they must
    // not reach back into a parent that is going.
    for (TControl* control : FControls)
        control->FParent = nullptr;
    FControls.clear();
    FTabList.clear();
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        FTabList.push_back(windowed);
    if (control->Align() != alNone)
        AlignControls();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
    if (control->Align() != alNone)
        AlignControls();
}

void TWinControl::Realign()
{
    AlignControls();
}

void TWinControl::PaintTo(TCanvas* canvas, int X, int Y)
{
    QWidget* own = Widget();
    if (!canvas || !own)
        return;
    canvas->DrawWidget(own, X, Y);
    for (TControl* child : FControls) {
        QWidget* widget = child->Widget();
        if (!widget || !child->Visible() || !child->ControlStyle().Contains(csReplicatable))
            continue;
        const QPoint at = widget->mapTo(own, QPoint(0, 0)) + QPoint(X, Y);
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->PaintTo(canvas, at.x(), at.y());
        else
            canvas->DrawWidget(widget, at.x(), at.y());
    }
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
    for (TControl* control : FControls)
        if (control->Align() == alNone && control->Anchors() != TAnchors{akLeft, akTop} && control->Widget())
            control->ApplyAnchors(area);
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
    controls_aligned(area);
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

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent() || order < 0)
        return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin() + std::min<std::size_t>(static_cast<std::size_t>(order), list.size()), this);
    Parent()->ChainTabOrder();
}

void TWinControl::ChainTabOrder()
{
    for (std::size_t i = 1; i < FTabList.size(); ++i)
        if (FTabList[i - 1]->Widget() && FTabList[i]->Widget())
            QWidget::setTabOrder(FTabList[i - 1]->Widget(), FTabList[i]->Widget());
}

void TWinControl::SetImeMode(TImeMode mode)
{
    FImeMode = mode;
    if (Widget() && Widget()->hasFocus() && qGuiApp)
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

// The input engine asks the focused widget whether it takes input and what it prefers; the
// control's ImeMode has the last word.
bool TWinControl::HandleInputMethodQuery(QObject* watched, QEvent* event)
{
    if (FImeMode == imDontCare)
        return false;
    HandOn(watched, event);
    auto* query = static_cast<QInputMethodQueryEvent*>(event);
    if (FImeMode == imDisable && (query->queries() & Qt::ImEnabled))
        query->setValue(Qt::ImEnabled, false);
    bool latin = FImeMode == imClose || FImeMode == imAlpha || FImeMode == imSAlpha;
    if (latin && (query->queries() & Qt::ImHints))
        query->setValue(Qt::ImHints, query->value(Qt::ImHints).toInt() | Qt::ImhPreferLatin);
    return true;
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
    case QEvent::InputMethodQuery:
        return HandleInputMethodQuery(watched, event);
    case QEvent::InputMethod:
        // An engine that was on before the mode said otherwise still gets nothing in.
        return FImeMode == imDisable;
    default:
        return TControl::widget_event(watched, event);
    }
}
