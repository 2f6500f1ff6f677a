// TForm, the class library's form over a top-level window. Longer than the rest because its frame
// bounds, window flags, state, showing and closing all act on the one window and in an order that
// matters (flags before the first show, the frame once the window manager has added it); kept
// together, that order can be read in one place.
#include "platform/forms/Form.h"
#include <algorithm>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include "platform/messages/Application.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/FrameFit.h"
#include "platform/forms/FrameHints.h"
#include "platform/forms/Modal.h"
#include "platform/forms/QtText.h"
#include "platform/forms/WindowQueries.h"

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FClient = new QWidget(window);
    layout->addWidget(FClient, 1);
    SetWidget(window);
    WatchWidget(FClient);
    TControl::SetVisible(false);
    SetCaption(FCaption);
    UpdateWindowFlags();
    ApplyFrameBounds();
}

TForm::~TForm()
{
    BeforeDestruction();
    LeaveMDIClient();
    if (Application && Application->FMainForm == this)
        Application->FMainForm = nullptr;
}

void TForm::BeforeDestruction()
{
    if (FDestroyNotified)
        return;
    FDestroyNotified = true;
    // The form is going: a release still pending must not free it again while OnDestroy runs.
    *FAlive = false;
    if (OnDestroy)
        Dispatch([this] { OnDestroy(this); });
}

void TForm::AfterConstruction()
{
    if (FCreated)
        return;
    FCreated = true;
    if (OnCreate)
        Dispatch([this] { OnCreate(this); });
}

QWidget* TForm::ClientWidget() const
{
    return FClient;
}

TForm* TForm::FormOf(const QObject* widget)
{
    for (TControl* control = TControl::FromWidget(widget); control; control = control->Parent())
        if (auto* form = dynamic_cast<TForm*>(control))
            return form;
    return nullptr;
}

void TForm::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    // Qt gives a window with an empty title the program's name; a blank shows nothing instead.
    if (Widget())
        Widget()->setWindowTitle(caption.empty() ? QStringLiteral(" ") : ToQString(caption));
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (!Widget())
        return;
    auto* layout = static_cast<QVBoxLayout*>(Widget()->layout());
    if (QWidget* old = layout->menuBar()) {
        layout->setMenuBar(nullptr);
        delete old;
    }
    FMenu = menu;
    if (!menu)
        return;
    menu->FreeNotification(this);
    auto* bar = new QMenuBar(Widget());
    menu->AttachBar(bar);
    layout->setMenuBar(bar);
    SyncClientArea();
}

// Frame bounds: while the window is shown they are read from the window system; while it is
// hidden they are kept here, and the client size follows with the frame last seen.
// An MDI child's are its frame's, within its parent's client area.
int TForm::Left() const { return FrameWidget() && FrameWidget()->isVisible() ? FrameWidget()->frameGeometry().x() : FFrame.Left; }
int TForm::Top() const { return FrameWidget() && FrameWidget()->isVisible() ? FrameWidget()->frameGeometry().y() : FFrame.Top; }
int TForm::Width() const { return FrameWidget() && FrameWidget()->isVisible() ? FrameWidget()->frameGeometry().width() : FFrame.Width(); }
int TForm::Height() const { return FrameWidget() && FrameWidget()->isVisible() ? FrameWidget()->frameGeometry().height() : FFrame.Height(); }

void TForm::SetBounds(int left, int top, int width, int height)
{
    left = SaneCoordinate(left);
    top = SaneCoordinate(top);
    width = std::max(0, SaneCoordinate(width));
    height = std::max(0, SaneCoordinate(height));
    // Maximised to a place of its own, the form keeps new bounds for its return.
    if (FZoomed && Widget() && Widget()->isVisible() && !FMDIFrame) {
        FZoomNormal = Bounds(left, top, width, height);
        return;
    }
    // A frame size given outright replaces a client size asked for before.
    if (width != Width())
        FWantedClientWidth = -1;
    if (height != Height())
        FWantedClientHeight = -1;
    SetFrame(left, top, width, height);
}

void TForm::SetFrame(int left, int top, int width, int height)
{
    FFrame = Bounds(left, top, width, height);
    if (Widget() && Widget()->isVisible() && !FMDIFrame)
        KeepOnScreen();
    ApplyFrameBounds();
}

// The screen the frame lies on most, or the primary one: its whole area for a window without a
// frame (a notice may cover the panels too), the part the panels leave free for the others.
TRect TForm::ScreenArea() const
{
    QRect frame(FFrame.Left, FFrame.Top, FFrame.Width(), FFrame.Height());
    QScreen* best = QGuiApplication::primaryScreen();
    long long bestShare = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        QRect common = screen->availableGeometry().intersected(frame);
        long long share = static_cast<long long>(common.width()) * common.height();
        if (share > bestShare) {
            best = screen;
            bestShare = share;
        }
    }
    if (!best)
        return FFrame;
    QRect area = FBorderStyle == bsNone ? best->geometry() : best->availableGeometry();
    return Bounds(area.x(), area.y(), area.width(), area.height());
}

void TForm::KeepOnScreen()
{
    FFrame = FitFrame(FFrame, ScreenArea());
}

bool TForm::FixedSize() const
{
    return FBorderStyle == bsDialog || FBorderStyle == bsSingle || FBorderStyle == bsToolWindow;
}

// The window system's frame lies outside the Qt window, so the inner size is the frame bounds
// less the frame last seen. The size limits are asked for again each time: the frame they are
// measured with may have changed, and a limit set only once would be lost to the next frame.
void TForm::ApplyFrameBounds()
{
    QWidget* window = Widget();
    if (!window)
        return;
    if (FMDIFrame) {
        ApplyMDIFrameBounds();
        return;
    }
    QSize inner(std::max(1, FFrame.Width() - FMargins.Left - FMargins.Right),
                std::max(1, FFrame.Height() - FMargins.Top - FMargins.Bottom));
    // Asked before the move: moving a shown window reports its frame back at once, which
    // would replace the bounds being applied.
    UpdateSizeLimits();
    window->move(FFrame.Left, FFrame.Top);
    window->resize(inner);
    SyncClientArea();
}

void TForm::UpdateSizeLimits()
{
    if (!Widget())
        return;
    MINMAXINFO info = AskMinMaxInfo();
    if (FMDIFrame) {
        LimitMDIFrame(info);
        return;
    }
    QSize minimum = InnerSize(info.ptMinTrackSize);
    QSize maximum = InnerSize(info.ptMaxTrackSize);
    SetSizeLimits(minimum, maximum);
    SetFramePinned(Widget(), minimum == maximum);
}

// A fixed window is pinned to its frame size, so the frame added when it is mapped cannot make
// it grow; a sizeable one can be made as small as SetMinSize allows. Maximised, a window fills
// the part of the screen the panels leave free.
MINMAXINFO TForm::OwnMinMaxInfo() const
{
    MINMAXINFO info;
    TRect area = ScreenArea();
    info.ptMaxSize = Point(area.Width(), area.Height());
    info.ptMaxPosition = Point(area.Left, area.Top);
    if (FixedSize()) {
        info.ptMinTrackSize = Point(FFrame.Width(), FFrame.Height());
        info.ptMaxTrackSize = info.ptMinTrackSize;
    } else {
        info.ptMinTrackSize = FMinFrame;
        info.ptMaxTrackSize = Point(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    return info;
}

MINMAXINFO TForm::AskMinMaxInfo() const
{
    TMinMaxQuery query(OwnMinMaxInfo());
    QCoreApplication::sendEvent(Widget(), &query);
    return query.Info;
}

// Frame pixels to the Qt window's; an open side stays open.
QSize TForm::InnerSize(TPoint frame) const
{
    auto inner = [](int size, int margins) {
        return size >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : std::clamp(size - margins, 0, QWIDGETSIZE_MAX);
    };
    return QSize(inner(frame.X, FMargins.Left + FMargins.Right), inner(frame.Y, FMargins.Top + FMargins.Bottom));
}

// Qt passes every change of the limits on to the window system; only real changes are made,
// in the order that never leaves the minimum above the maximum.
void TForm::SetSizeLimits(QSize minimum, QSize maximum)
{
    QWidget* window = Widget();
    auto setMinimum = [&] { if (window->minimumSize() != minimum) window->setMinimumSize(minimum); };
    auto setMaximum = [&] { if (window->maximumSize() != maximum) window->setMaximumSize(maximum); };
    QSize oldMinimum = window->minimumSize();
    if (maximum.width() >= oldMinimum.width() && maximum.height() >= oldMinimum.height()) {
        setMaximum();
        setMinimum();
    } else {
        setMinimum();
        setMaximum();
    }
}

// Qt lays out a hidden window only when it is shown; forms are measured before that.
void TForm::SyncClientArea()
{
    QWidget* window = Widget();
    if (!window || window->isVisible() || !window->layout())
        return;
    QRect before = FClient->geometry();
    window->layout()->setGeometry(window->rect());
    if (FClient->geometry() != before)
        AlignControls();
}

void TForm::RememberFrameBounds()
{
    QWidget* window = FrameWidget();
    if (!window || !window->isVisible() || window->isMinimized())
        return;
    FFrame = NormalBoundsRect();
}

TRect TForm::NormalBoundsRect() const
{
    QWidget* window = Widget();
    if (!window || !window->isVisible())
        return FFrame;
    // An MDI child's frame keeps the normal bounds while the child is minimised or maximised.
    if (FMDIFrame)
        return FMDIFrame->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized) ? FFrame : BoundsRect();
    if (FZoomed)
        return FZoomNormal;
    if (window->windowState() == Qt::WindowNoState)
        return BoundsRect();
    // Qt keeps the inner geometry the window returns to; the frame around it is the one it had
    // in the normal state. Before the window was ever framed in that state, its normal place is
    // still the one asked for.
    QRect normal = window->normalGeometry();
    if (!FFramed || !normal.isValid())
        return FFrame;
    return Rect(normal.left() - FMargins.Left, normal.top() - FMargins.Top, normal.right() + 1 + FMargins.Right,
                normal.bottom() + 1 + FMargins.Bottom);
}

// A window manager adds its frame after the window is mapped; the frame bounds asked for are
// then applied again, so the outer size is what was saved. Afterwards the frame bounds follow
// the window wherever the user moves or sizes it. Only the normal state counts: a maximised
// window's frame (often thinner) says nothing of the frame it returns to.
void TForm::frame_changed()
{
    QWidget* window = Widget();
    if (!window || FMDIFrame || !window->isVisible() || window->windowState() != Qt::WindowNoState)
        return;
    QRect frame = window->frameGeometry();
    QRect inner = window->geometry();
    TRect margins = Rect(inner.x() - frame.x(), inner.y() - frame.y(), frame.right() - inner.right(),
                         frame.bottom() - inner.bottom());
    if (margins == FMargins) {
        if (FFramed)
            FFrame = Bounds(frame.x(), frame.y(), frame.width(), frame.height());
        return;
    }
    FMargins = margins;
    FFramed = true;
    // A client size asked for before the frame was known is kept; the frame grows around it.
    int width = FFrame.Width();
    int height = FFrame.Height();
    if (FWantedClientWidth >= 0)
        width = FWantedClientWidth + margins.Left + margins.Right + (window->width() - FClient->width());
    if (FWantedClientHeight >= 0)
        height = FWantedClientHeight + margins.Top + margins.Bottom + (window->height() - FClient->height());
    SetFrame(FFrame.Left, FFrame.Top, width, height);
}

int TForm::ClientWidth() const
{
    return FClient->width();
}

int TForm::ClientHeight() const
{
    return FClient->height();
}

void TForm::SetClientWidth(int width)
{
    FWantedClientWidth = std::max(0, width);
    SetFrame(Left(), Top(), FWantedClientWidth + (Width() - ClientWidth()), Height());
}

void TForm::SetClientHeight(int height)
{
    FWantedClientHeight = std::max(0, height);
    SetFrame(Left(), Top(), Width(), FWantedClientHeight + (Height() - ClientHeight()));
}

void TForm::SetMinSize(int width, int height)
{
    FMinFrame = Point(std::max(0, width), std::max(0, height));
    UpdateSizeLimits();
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (style == FFormStyle) {
        // While a box runs it stays above the window anyway: raising the window only for the box
        // to be put back over it would restack both with the window manager at every call (a
        // notice restates its style three times a second) and take the keyboard from the window.
        if (style == fsStayOnTop && Widget() && Widget()->isVisible() && !ModalBoxRunning())
            Widget()->raise();
        return;
    }
    if (FFormStyle == fsMDIChild)
        LeaveMDIClient();
    if (style == fsMDIChild)
        EnterMDIClient();
    FFormStyle = style;
    UpdateWindowFlags();
    if (style == fsMDIForm && !FMDIClient) {
        FMDIClient = new QMdiArea(FClient);
        // A child beyond the area's edges, wherever its bounds put it, is scrolled to.
        FMDIClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        FMDIClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        FMDIClient->lower();
        FMDIClient->show();
        AlignControls();
    } else if (style != fsMDIForm && FMDIClient) {
        delete FMDIClient.data();
    }
}

// The client area fills what the form's aligned controls leave free, beneath them.
void TForm::controls_aligned(const TRect& rest)
{
    if (FMDIClient)
        FMDIClient->setGeometry(rest.Left, rest.Top, std::max(0, rest.Width()), std::max(0, rest.Height()));
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == FBorderStyle)
        return;
    RememberFrameBounds();
    FBorderStyle = style;
    UpdateWindowFlags();
    ApplyFrameBounds();
}

void TForm::SetShowInTaskbar(bool show)
{
    if (show == FShowInTaskbar)
        return;
    FShowInTaskbar = show;
    UpdateWindowFlags();
}

void TForm::SetModalOwner(QWidget* owner)
{
    QWidget* window = Widget();
    if (!window)
        return;
    FModalOwner = owner;
    UpdateWindowFlags();
    Qt::WindowModality modality = owner ? Qt::WindowModal : Qt::NonModal;
    if (!window->isVisible())
        window->setWindowModality(modality);
    // The owner is a property of the native window, which must exist to carry it; Qt keeps that
    // window object across new flags and passes the modality on only while it is created.
    if (owner)
        window->winId();
    if (QWindow* handle = window->windowHandle()) {
        if (!window->isVisible())
            handle->setModality(modality);
        handle->setTransientParent(owner ? owner->windowHandle() : nullptr);
    }
}

// Only a window of a transient kind (a dialog, a tool window) is told to the window manager as
// its owner's, so a modal form is a dialog while it runs. A dialog-bordered form without an owner
// (an alarm notice) is a window of its own: told as a dialog, it would be one of the whole
// program's, which a window manager keeps above every other window of the program, a box too.
Qt::WindowFlags TForm::WindowFlags() const
{
    Qt::WindowFlags flags = Qt::Window;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin || !FShowInTaskbar)
        flags = Qt::Tool;
    else if (FModalOwner)
        flags = Qt::Dialog;
    if (FBorderStyle == bsNone)
        flags |= Qt::FramelessWindowHint;
    // A running modal form stays on top too, so a notice that stays on top cannot cover it.
    if (FFormStyle == fsStayOnTop || FModal)
        flags |= Qt::WindowStaysOnTopHint;
    return flags | TitleButtonFlags();
}

// Changing the flags of a shown window makes Qt hide and re-create it; forms set them before
// they are first shown, so this normally costs nothing.
void TForm::UpdateWindowFlags()
{
    QWidget* window = Widget();
    // An MDI child's window is its frame's content, not a window of the window system.
    if (!window || FMDIFrame)
        return;
    Qt::WindowFlags flags = WindowFlags();
    if (flags == window->windowFlags())
        return;
    bool visible = window->isVisible();
    RememberFrameBounds();
    window->setWindowFlags(flags);
    // New flags make Qt forget the window's owner.
    if (QWindow* handle = window->windowHandle(); handle && FModalOwner)
        handle->setTransientParent(FModalOwner->windowHandle());
    if (visible) {
        ApplyFrameBounds();
        window->show();
    }
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == FBorderIcons)
        return;
    FBorderIcons = icons;
    UpdateWindowFlags();
}

// A sizeable or single border with every button keeps the window system's usual buttons; the
// others are named one by one. As in the class library, only those two borders can show the
// minimise and maximise buttons: a dialog or a tool window has the close button alone.
Qt::WindowFlags TForm::TitleButtonFlags() const
{
    const TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
    bool framed = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
    // A framed form that is a dialog only while it runs modally keeps its usual buttons.
    if (FBorderStyle == bsNone || (framed && (FBorderIcons * all) == all && !FModalOwner))
        return {};
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (!FBorderIcons.Contains(biSystemMenu))
        return flags;
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (framed && FBorderIcons.Contains(biMinimize))
        flags |= Qt::WindowMinimizeButtonHint;
    if (framed && FBorderIcons.Contains(biMaximize))
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

TWindowState TForm::WindowState() const
{
    QWidget* window = FrameWidget();
    if (!window || !window->isVisible())
        return FPendingState;
    if (window->isMinimized())
        return wsMinimized;
    if (window->isMaximized() || FZoomed)
        return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state)
{
    FPendingState = state;
    QWidget* window = Widget();
    if (!window || !FrameWidget()->isVisible())
        return;
    if (FMDIFrame) {
        SetMDIChildState(state);
        return;
    }
    switch (state) {
    case wsMinimized: window->showMinimized(); break;
    case wsMaximized: Maximize(); break;
    default: Unzoom(); window->showNormal(); break;
    }
}

// The maximised place and size the window's watchers give, when they differ from the free part
// of the screen the window manager would fill.
bool TForm::OwnMaximizedPlace(TRect& place) const
{
    const MINMAXINFO own = OwnMinMaxInfo();
    const MINMAXINFO info = AskMinMaxInfo();
    if (info.ptMaxSize.X == own.ptMaxSize.X && info.ptMaxSize.Y == own.ptMaxSize.Y &&
        info.ptMaxPosition.X == own.ptMaxPosition.X && info.ptMaxPosition.Y == own.ptMaxPosition.Y)
        return false;
    place = Bounds(info.ptMaxPosition.X, info.ptMaxPosition.Y, std::min(info.ptMaxSize.X, info.ptMaxTrackSize.X),
                   std::min(info.ptMaxSize.Y, info.ptMaxTrackSize.Y));
    return true;
}

// A window manager maximises over the free part of the screen, and a maximised window given
// other bounds is maximised no more; a window maximised to a place of its own is therefore a
// normal window at that place that the form counts as maximised, until it is restored.
void TForm::Maximize()
{
    QWidget* window = Widget();
    TRect place;
    if (!OwnMaximizedPlace(place)) {
        window->showMaximized();
        return;
    }
    if (!FZoomed) {
        FZoomNormal = window->windowState() == Qt::WindowNoState ? BoundsRect() : NormalBoundsRect();
        FZoomed = true;
    }
    if (window->windowState() != Qt::WindowNoState)
        window->showNormal();
    SetFrame(place.Left, place.Top, place.Width(), place.Height());
}

void TForm::Unzoom()
{
    if (!FZoomed)
        return;
    FZoomed = false;
    SetFrame(FZoomNormal.Left, FZoomNormal.Top, FZoomNormal.Width(), FZoomNormal.Height());
}

// Centred forms are centred again at every show, as the class library does.
void TForm::PlaceByPosition()
{
    if (FPosition == poDesigned || FPosition == poDefault || FMDIFrame)
        return;
    TRect area;
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (FPosition == poMainFormCenter && main && main != this && main->Visible()) {
        area = main->BoundsRect();
    } else {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        QRect available = screen->availableGeometry();
        area = Bounds(available.x(), available.y(), available.width(), available.height());
    }
    int width = FFrame.Width();
    int height = FFrame.Height();
    FFrame = Bounds(area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2, width, height);
}

void TForm::SetVisible(bool visible)
{
    QWidget* window = Widget();
    if (!visible && FMDIFrame) {
        HideMDIChild();
        TControl::SetVisible(false);
        return;
    }
    if (!visible) {
        if (window && window->isVisible()) {
            RememberFrameBounds();
            // A window hidden while minimised is still minimised until it is restored.
            FPendingState = WindowState();
            window->hide();
        }
        TControl::SetVisible(false);
        return;
    }
    TControl::SetVisible(true);
    if (FMDIFrame) {
        if (!FMDIFrame->isVisible()) {
            AfterConstruction();
            ShowMDIChild();
        }
        return;
    }
    if (!window || window->isVisible())
        return;
    AfterConstruction();
    PlaceByPosition();
    KeepOnScreen();
    ApplyFrameBounds();
    switch (FPendingState) {
    case wsMaximized:
        if (TRect place; OwnMaximizedPlace(place)) {
            window->showNormal();
            Maximize();
        } else {
            window->showMaximized();
        }
        break;
    case wsMinimized: window->showMinimized(); break;
    default: window->showNormal(); break;
    }
    // A shown window may be limited otherwise than a hidden one (a frozen form keeps the size
    // it shows with).
    UpdateSizeLimits();
}

void TForm::Show()
{
    SetVisible(true);
    if (FMDIFrame) {
        Activate();
    } else if (Widget()) {
        Widget()->raise();
        KeepModalBoxAbove(this);
    }
}

void TForm::Hide()
{
    SetVisible(false);
}

bool TForm::Active() const
{
    if (FMDIFrame)
        return FMDIFrame->mdiArea() && FMDIFrame->mdiArea()->activeSubWindow() == FMDIFrame;
    return Widget() && Widget()->isActiveWindow();
}

void TForm::Activate()
{
    if (!Widget())
        return;
    if (FMDIFrame) {
        if (QMdiArea* area = FMDIFrame->mdiArea())
            area->setActiveSubWindow(FMDIFrame);
        return;
    }
    Widget()->raise();
    Widget()->activateWindow();
    KeepModalBoxAbove(this);
}

TModalResult TForm::ShowModal()
{
    return RunModal(this, TModalKind::Form, "");
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        Dispatch([&] { OnCloseQuery(this, canClose); });
    return canClose;
}

TCloseAction TForm::DoClose(TCloseAction action)
{
    if (OnClose)
        Dispatch([&] { OnClose(this, action); });
    return action;
}

// The modal loop calls this when ModalResult is set: the close handlers may still keep the
// form open (caNone), which clears ModalResult.
void TForm::CloseModal()
{
    TCloseAction action = CloseQuery() ? DoClose(caHide) : caNone;
    if (action == caNone)
        FModalResult = mrNone;
    else if (action == caFree)
        Release();
}

void TForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    // An MDI child has no place to hide in its parent's client area; it is minimised.
    TCloseAction action = DoClose(FMDIFrame ? caMinimize : caHide);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TForm::Release()
{
    if (FReleasing)
        return;
    FReleasing = true;
    if (FrameWidget())
        FrameWidget()->hide();
    std::weak_ptr<bool> alive = FAlive;
    QTimer::singleShot(0, [this, alive] {
        if (auto flag = alive.lock(); flag && *flag)
            delete this;
    });
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FMenu)
        SetMenu(nullptr);
}

void TForm::resize_event()
{
    if (OnResize)
        OnResize(this);
}

void TForm::user_close()
{
    Close();
}

void TForm::shown()
{
    frame_changed();
    if (OnShow)
        OnShow(this);
}

void TForm::hidden()
{
    if (OnHide)
        OnHide(this);
}

void TForm::state_changed()
{
    // Maximised by the window manager's own command: to the form's own place, where it has one.
    if (QWidget* window = Widget(); window && window->isMaximized() && !FZoomed) {
        TRect place;
        if (OwnMaximizedPlace(place))
            Maximize();
    }
    bool minimized = Widget() && Widget()->isMinimized();
    bool isMain = Application && Application->MainForm() == this;
    if (minimized && !FMinimizedNotified) {
        FMinimizedNotified = true;
        if (isMain && Application->OnMinimize)
            Application->OnMinimize(Application);
    } else if (!minimized && FMinimizedNotified) {
        FMinimizedNotified = false;
        if (isMain && Application->OnRestore)
            Application->OnRestore(Application);
    }
}

bool TForm::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget()) {
        switch (event->type()) {
        case QEvent::Close:
            event->ignore();
            Dispatch([this] { user_close(); });
            return true;
        // An MDI child's contents hide while it is minimised; its frame says when it shows.
        case QEvent::Show:
            if (!event->spontaneous() && !FMDIFrame)
                Dispatch([this] { shown(); });
            break;
        case QEvent::Hide:
            if (!event->spontaneous() && !FMDIFrame)
                Dispatch([this] { hidden(); });
            break;
        case QEvent::Move:
        case QEvent::Resize:
            frame_changed();
            break;
        case QEvent::WindowStateChange:
            Dispatch([this] { state_changed(); });
            break;
        case QEvent::WindowActivate:
            if (OnActivate)
                Dispatch([this] { OnActivate(this); });
            break;
        default:
            break;
        }
    }
    return TWinControl::widget_event(watched, event);
}
