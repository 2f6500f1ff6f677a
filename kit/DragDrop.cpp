#include "kit/DragDrop.h"
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <vector>
#include "platform/messages/Application.h"
#include "platform/forms/Control.h"
#include "platform/forms/WinControl.h"

namespace {

struct Session {
    TDragControl* source = nullptr;
    // What the targets are told the source is: the source's control unless OnStartDrag said.
    TObject* dragObject = nullptr;
    TDragControl* target = nullptr;
    TPoint start;
    TPoint last;
    bool begun = false;
    bool accepted = false;
    bool dock = false;
    TCursor cursor = crDefault;
};

Session& Current()
{
    static Session session;
    return session;
}

std::vector<TDragControl*>& Participants()
{
    static std::vector<TDragControl*> all;
    return all;
}

bool Contains(TDragControl* control, TPoint global)
{
    QWidget* widget = control->DragWidget();
    if (!widget || !widget->isVisible())
        return false;
    QPoint local = widget->mapFromGlobal(QPoint(global.X, global.Y));
    return widget->rect().contains(local);
}

// The participant under the pointer: what the window system says lies there, or, where it
// cannot say (no window system), the last made participant whose area holds the point.
TDragControl* TargetAt(TPoint global)
{
    if (QWidget* widget = QApplication::widgetAt(QPoint(global.X, global.Y))) {
        TControl* control = TControl::FromWidget(widget);
        for (TDragControl* participant : Participants())
            if (participant->DragControl() == control)
                return participant;
        return nullptr;
    }
    auto& all = Participants();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (Contains(*it, global))
            return *it;
    return nullptr;
}

// The dock site under the pointer that could take `source`: not the control itself nor one of
// its own children.
TWinControl* DockSiteAt(TDragControl* source, TPoint global)
{
    QWidget* widget = QApplication::widgetAt(QPoint(global.X, global.Y));
    TControl* dragged = source->DragControl();
    for (TControl* control = widget ? TControl::FromWidget(widget) : nullptr; control; control = control->Parent()) {
        if (control == dragged)
            return nullptr;
        auto* site = dynamic_cast<TWinControl*>(control);
        if (site && site->DockSite())
            return site;
    }
    return nullptr;
}

Qt::CursorShape ShapeOf(TCursor cursor)
{
    if (cursor == crNoDrop)
        return Qt::ForbiddenCursor;
    if (cursor == crMultiDrag)
        return Qt::DragCopyCursor;
    return cursor == crDrag ? Qt::DragMoveCursor : Qt::ArrowCursor;
}

void ShowCursor(TCursor cursor)
{
    Session& session = Current();
    if (cursor == session.cursor)
        return;
    if (qGuiApp) {
        if (session.cursor != crDefault)
            QGuiApplication::restoreOverrideCursor();
        if (cursor != crDefault)
            QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
    }
    session.cursor = cursor;
}

TPoint LocalTo(TDragControl* target, TPoint global)
{
    QWidget* widget = target->DragWidget();
    QPoint local = widget ? widget->mapFromGlobal(QPoint(global.X, global.Y)) : QPoint(global.X, global.Y);
    return Point(local.x(), local.y());
}

bool AskTarget(TDragControl* target, TPoint global, TDragState state)
{
    Session& session = Current();
    bool accept = false;
    if (target->OnDragOver) {
        accept = true;
        TPoint local = LocalTo(target, global);
        TObject* source = session.dragObject;
        Dispatch([&] { target->OnDragOver(target->DragControl(), source, local.X, local.Y, state, accept); });
    }
    return accept;
}

// `target` took the drop (or the dock) at `local`, or nullptr.
void Finish(TObject* target, TPoint local)
{
    Session& session = Current();
    TDragControl* source = session.source;
    bool dock = session.dock;
    ShowCursor(crDefault);
    session = Session();
    if (!source)
        return;
    const TEndDragEvent& ended = dock ? source->OnEndDock : source->OnEndDrag;
    if (ended)
        Dispatch([&] { ended(source->DragControl(), target, local.X, local.Y); });
    Dispatch([source] { source->drag_ended(); });
}

// The dragged control moves into the site with its top left at the pointer.
void DockAt(TPoint global)
{
    Session& session = Current();
    TControl* control = session.source->DragControl();
    TWinControl* site = DockSiteAt(session.source, global);
    TPoint local;
    if (site) {
        local = site->ScreenToClient(global);
        control->SetParent(site);
        control->SetBounds(local.X, local.Y, control->Width(), control->Height());
    }
    Finish(site, local);
}

} // namespace

TDragControl::TDragControl()
{
    Participants().push_back(this);
}

TDragControl::~TDragControl()
{
    auto& all = Participants();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    Session& session = Current();
    if (session.target == this)
        session.target = nullptr;
    if (session.source == this) {
        session.source = nullptr;
        Finish(nullptr, TPoint());
    }
}

void BeginDrag(TDragControl* source, TPoint global, bool immediate)
{
    if (!source || Current().source)
        return;
    Session& session = Current();
    session.source = source;
    session.dragObject = source->DragControl();
    session.start = global;
    session.last = global;
    session.dock = source->DragKind == dkDock;
    const TStartDragEvent& started = session.dock ? source->OnStartDock : source->OnStartDrag;
    if (started) {
        TObject* dragObject = nullptr;
        Dispatch([&] { started(source->DragControl(), dragObject); });
        if (dragObject && !session.dock)
            session.dragObject = dragObject;
    }
    if (immediate) {
        session.begun = true;
        DragMoveTo(global);
    }
}

bool Dragging()
{
    return Current().source && Current().begun;
}

bool DragPending()
{
    return Current().source && !Current().begun;
}

TDragControl* DragSource()
{
    return Current().source;
}

void DragMoveTo(TPoint global)
{
    Session& session = Current();
    if (!session.source)
        return;
    session.last = global;
    if (!session.begun) {
        int distance = std::abs(global.X - session.start.X) + std::abs(global.Y - session.start.Y);
        if (distance < QApplication::startDragDistance())
            return;
        session.begun = true;
    }
    if (session.dock) {
        ShowCursor(DockSiteAt(session.source, global) ? session.source->DragCursor : crNoDrop);
        return;
    }
    TDragControl* target = TargetAt(global);
    if (target != session.target) {
        if (session.target)
            AskTarget(session.target, global, dsDragLeave);
        session.target = target;
        session.accepted = target && AskTarget(target, global, dsDragEnter);
    } else if (target) {
        session.accepted = AskTarget(target, global, dsDragMove);
    }
    ShowCursor(session.accepted ? session.source->DragCursor : crNoDrop);
}

void DragDropAt(TPoint global)
{
    Session& session = Current();
    if (!session.source)
        return;
    if (session.begun)
        DragMoveTo(global);
    if (session.dock) {
        if (session.begun)
            DockAt(global);
        else
            Finish(nullptr, TPoint());
        return;
    }
    TDragControl* target = session.begun && session.accepted ? session.target : nullptr;
    TObject* source = session.dragObject;
    TPoint local;
    if (target) {
        // The target hears the drag leave first, so that it can take down its drop marker.
        AskTarget(target, global, dsDragLeave);
        local = LocalTo(target, global);
        if (target->OnDragDrop)
            Dispatch([&] { target->OnDragDrop(target->DragControl(), source, local.X, local.Y); });
    }
    Finish(target ? target->DragControl() : nullptr, local);
}

void CancelDrag()
{
    Session& session = Current();
    if (!session.source)
        return;
    if (session.begun && session.target)
        AskTarget(session.target, session.last, dsDragLeave);
    Finish(nullptr, TPoint());
}

TCursor DragCursorShown()
{
    return Current().cursor;
}
