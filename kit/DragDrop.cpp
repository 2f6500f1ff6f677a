#include "kit/DragDrop.h"
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <vector>
#include "platform/messages/Application.h"
#include "platform/forms/Control.h"

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

// `target` took the drop at `local`, or nullptr.
void Finish(TDragControl* target, TPoint local)
{
    Session& session = Current();
    TDragControl* source = session.source;
    ShowCursor(crDefault);
    session = Session();
    if (!source)
        return;
    if (source->OnEndDrag) {
        TObject* to = target ? target->DragControl() : nullptr;
        Dispatch([&] { source->OnEndDrag(source->DragControl(), to, local.X, local.Y); });
    }
    Dispatch([source] { source->drag_ended(); });
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
    if (source->OnStartDrag) {
        TObject* dragObject = nullptr;
        Dispatch([&] { source->OnStartDrag(source->DragControl(), dragObject); });
        if (dragObject)
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
    Finish(target, local);
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
