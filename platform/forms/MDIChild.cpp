// An MDI child: the form's window lives in a frame (a sub-window) of the main form's client
// area. Its bounds, state and minimised place are the frame's, in client-area coordinates, and
// its showing and hiding are the frame's too: minimising hides the form's contents but the form
// stays shown, as it does on the platform.
#include "platform/forms/Form.h"
#include <QEvent>
#include <algorithm>
#include "platform/forms/WindowQueries.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include "platform/core/Exceptions.h"
#include "platform/messages/Application.h"

namespace {

// Qt drops a maximised frame's state for the moment the client area sizes it to its new size,
// and puts it back afterwards: the frame's moves and sizes are passed on only while the state it
// was last given is not maximised, so a maximised frame never counts as placed by the user.
class FrameWatcher : public QObject {
public:
    FrameWatcher(QWidget* frame, std::function<void(QEvent*)> handler)
        : QObject(frame), FHandler(std::move(handler)), FState(frame->windowState())
    {
        frame->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            FState = static_cast<QWidget*>(watched)->windowState();
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (!placed || !(FState & Qt::WindowMaximized))
            FHandler(event);
        return false;
    }

private:
    std::function<void(QEvent*)> FHandler;
    Qt::WindowStates FState;
};

bool MinimizedOrMaximized(const QWidget* frame)
{
    return frame->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized);
}

} // namespace

QMdiArea* TForm::MDIClient() const
{
    return FMDIClient;
}

QMdiSubWindow* TForm::MDIFrame() const
{
    return FMDIFrame;
}

QWidget* TForm::FrameWidget() const
{
    return FMDIFrame ? static_cast<QWidget*>(FMDIFrame.data()) : Widget();
}

void TForm::EnterMDIClient()
{
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main == this || !main->FMDIClient)
        throw EInvalidOperation("An MDI child form needs a main form that is an MDI form");
    QWidget* window = Widget();
    if (!window || FMDIFrame)
        return;
    const bool shown = window->isVisible();
    if (shown) {
        RememberFrameBounds();
        FPendingState = WindowState();
        window->hide();
    }
    FMDIFrame = main->FMDIClient->addSubWindow(window);
    FMDIFrame->setAttribute(Qt::WA_DeleteOnClose, false);
    std::weak_ptr<bool> alive = FAlive;
    new FrameWatcher(FMDIFrame, [this, alive](QEvent* event) {
        if (auto flag = alive.lock(); flag && *flag)
            mdi_frame_event(event);
    });
    ApplyMDIFrameBounds();
    FMDIShown = shown;
    if (shown)
        ShowMDIChild();
}

// The form's window leaves its frame a hidden top-level window again.
void TForm::LeaveMDIClient()
{
    if (!FMDIFrame)
        return;
    QMdiSubWindow* frame = FMDIFrame;
    RememberFrameBounds();
    if (Widget())
        frame->setWidget(nullptr);
    FMDIFrame = nullptr;
    delete frame;
}

// The frame hides and shows itself while it minimises and restores, and with its parent: only
// the form's own showing and hiding count, so neither shows the form again.
void TForm::ShowMDIChild()
{
    ApplyMDIFrameBounds();
    // A minimised frame hid the contents itself and shows them again as it is restored.
    if (!FMDIFrame->isMinimized())
        Widget()->show();
    FMDIFrame->show();
    if (FPendingState != wsNormal)
        SetMDIChildState(FPendingState);
    // A frozen child keeps the size it shows with.
    UpdateSizeLimits();
    if (!FMDIShown) {
        FMDIShown = true;
        Dispatch([this] { shown(); });
    }
}

void TForm::HideMDIChild()
{
    if (FMDIFrame->isVisible()) {
        RememberFrameBounds();
        FPendingState = WindowState();
        FMDIFrame->hide();
    }
    if (FMDIShown) {
        FMDIShown = false;
        Dispatch([this] { hidden(); });
    }
}

// A child placed by the window system (poDefault) is left where the client area puts it until
// a place is given.
void TForm::ApplyMDIFrameBounds()
{
    if (!FMDIFrame || MinimizedOrMaximized(FMDIFrame))
        return;
    UpdateSizeLimits();
    if (FPosition == poDefault && !FMDIFrame->testAttribute(Qt::WA_Moved))
        FMDIFrame->resize(FFrame.Width(), FFrame.Height());
    else
        FMDIFrame->setGeometry(FFrame.Left, FFrame.Top, FFrame.Width(), FFrame.Height());
}

// The tracking limits are the frame's own sizes; a minimised frame keeps the limits of its
// title alone and takes these back as it is restored.
void TForm::LimitMDIFrame(const MINMAXINFO& info)
{
    if (FMDIFrame->isMinimized())
        return;
    auto size = [](TPoint point) {
        return QSize(std::clamp(point.X, 0, QWIDGETSIZE_MAX), std::clamp(point.Y, 0, QWIDGETSIZE_MAX));
    };
    FMDIFrame->setMinimumSize(size(info.ptMinTrackSize));
    FMDIFrame->setMaximumSize(size(info.ptMaxTrackSize));
}

void TForm::SetMDIChildState(TWindowState state)
{
    switch (state) {
    case wsMinimized: {
        const TPoint at = FMinPosition;
        FMDIFrame->showMinimized();
        if (at.X >= 0 && at.Y >= 0)
            FMDIFrame->move(at.X, at.Y);
        break;
    }
    case wsMaximized: FMDIFrame->showMaximized(); break;
    default:
        FMDIFrame->showNormal();
        ApplyMDIFrameBounds();
        break;
    }
}

TPoint TForm::MinimizedPosition() const
{
    if (FMDIFrame && FMDIFrame->isVisible() && FMDIFrame->isMinimized())
        return Point(FMDIFrame->x(), FMDIFrame->y());
    return FMinPosition;
}

void TForm::SetMinimizedPosition(TPoint position)
{
    FMinPosition = position;
    if (FMDIFrame && FMDIFrame->isVisible() && FMDIFrame->isMinimized() && position.X >= 0 && position.Y >= 0)
        FMDIFrame->move(position.X, position.Y);
}

// The frame's normal bounds and minimised place follow wherever the user or the client area
// puts it.
void TForm::mdi_frame_event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (!FMDIFrame->isVisible())
            break;
        if (FMDIFrame->isMinimized())
            FMinPosition = Point(FMDIFrame->x(), FMDIFrame->y());
        else if (!FMDIFrame->isMaximized())
            FFrame = Bounds(FMDIFrame->x(), FMDIFrame->y(), FMDIFrame->width(), FMDIFrame->height());
        break;
    default:
        break;
    }
}
