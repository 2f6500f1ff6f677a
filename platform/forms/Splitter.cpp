#include "platform/forms/Splitter.h"
#include <QMouseEvent>
#include <QWidget>
#include "platform/messages/Application.h"
#include "platform/forms/FrameFit.h"
#include "platform/forms/WinControl.h"

TSplitter::TSplitter(TComponent* owner) : TControl(owner)
{
    SetWidget(new QWidget());
    // Not aligned yet (the class library starts at alLeft): code sets the bounds first and
    // then the side, as a form's description does.
    Widget()->resize(3, 100);
}

static bool Vertical(TAlign align)
{
    return align == alTop || align == alBottom;
}

// The visible control with the same alignment whose edge touches the splitter's near edge.
TControl* TSplitter::FindNeighbour() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !control->Visible() || control->Align() != Align())
            continue;
        switch (Align()) {
        case alTop: if (control->Top() + control->Height() == Top()) return control; break;
        case alBottom: if (control->Top() == Top() + Height()) return control; break;
        case alLeft: if (control->Left() + control->Width() == Left()) return control; break;
        case alRight: if (control->Left() == Left() + Width()) return control; break;
        default: break;
        }
    }
    return nullptr;
}

int TSplitter::SizeOf(const TControl* control) const
{
    return Vertical(Align()) ? control->Height() : control->Width();
}

void TSplitter::SetSizeOf(TControl* control, int size)
{
    if (Vertical(Align()))
        control->SetHeight(size);
    else
        control->SetWidth(size);
}

int TSplitter::SharedSpace(const TControl* neighbour) const
{
    TWinControl* parent = Parent();
    bool vertical = Vertical(Align());
    int space = vertical ? parent->ClientHeight() : parent->ClientWidth();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == neighbour || !control->Visible() || Vertical(control->Align()) != vertical ||
            control->Align() == alNone || control->Align() == alClient)
            continue;
        space -= SizeOf(control);
    }
    return space;
}

// A size from code or from a stored setting (negative, or larger than the window) is brought
// within the bounds a drag keeps. Until the window is on the screen its space is not known
// yet, so only the minimum is kept then.
void TSplitter::parent_aligning()
{
    if (!Visible() || !Parent() || Align() == alNone || Align() == alClient)
        return;
    TControl* neighbour = FindNeighbour();
    if (!neighbour)
        return;
    int size = SizeOf(neighbour);
    int fitted = Parent()->Showing() ? FitShare(size, SharedSpace(neighbour), FMinSize) : std::max(size, FMinSize);
    if (fitted != size)
        SetSizeOf(neighbour, fitted);
}

void TSplitter::UpdateCursor()
{
    Widget()->setCursor(Vertical(Align()) ? Qt::SplitVCursor : Qt::SplitHCursor);
}

bool TSplitter::widget_event(QObject* watched, QEvent* event)
{
    if (watched != Widget())
        return TControl::widget_event(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        UpdateCursor();
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        FNeighbour = FindNeighbour();
        if (FNeighbour) {
            FStartSize = Vertical(Align()) ? FNeighbour->Height() : FNeighbour->Width();
            QPointF global = mouse->globalPosition();
            FStartPos = static_cast<int>(Vertical(Align()) ? global.y() : global.x());
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!FNeighbour || !(mouse->buttons() & Qt::LeftButton) || !Parent())
            return true;
        QPointF global = mouse->globalPosition();
        int delta = static_cast<int>(Vertical(Align()) ? global.y() : global.x()) - FStartPos;
        if (Align() == alBottom || Align() == alRight)
            delta = -delta;
        SetSizeOf(FNeighbour, FitShare(FStartSize + delta, SharedSpace(FNeighbour), FMinSize));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (FNeighbour && OnMoved)
            Dispatch([this] { OnMoved(this); });
        FNeighbour = nullptr;
        return true;
    default:
        return TControl::widget_event(watched, event);
    }
}
