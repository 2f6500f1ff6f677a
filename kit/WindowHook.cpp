#include "kit/WindowHook.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>
#include "platform/core/Filer.h"
#include "platform/messages/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/WindowQueries.h"
#include <QWindow>

using namespace HookMessages;

namespace {

constexpr UINT CM_RELEASEHOOK = 0xB053;

LPARAM Pack(int low, int high)
{
    return static_cast<LPARAM>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) | static_cast<std::uint32_t>(low & 0xFFFF));
}

WPARAM MouseKeys(const QMouseEvent& event)
{
    WPARAM keys = 0;
    if (event.buttons() & Qt::LeftButton)
        keys |= 0x0001;
    if (event.buttons() & Qt::RightButton)
        keys |= 0x0002;
    if (event.modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (event.modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    if (event.buttons() & Qt::MiddleButton)
        keys |= 0x0010;
    return keys;
}

UINT ButtonMessage(QEvent::Type type, Qt::MouseButton button)
{
    bool left = button == Qt::LeftButton;
    bool right = button == Qt::RightButton;
    switch (type) {
    case QEvent::MouseButtonPress: return left ? WM_LBUTTONDOWN : right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    case QEvent::MouseButtonRelease: return left ? WM_LBUTTONUP : right ? WM_RBUTTONUP : WM_MBUTTONUP;
    default: return left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
    }
}

// The message an event stands for; Msg 0 for events hooks do not see.
TMessage MessageOf(QWidget* widget, QEvent* event)
{
    TMessage msg;
    switch (event->type()) {
    case QEvent::Move: {
        QPoint pos = static_cast<QMoveEvent*>(event)->pos();
        msg = {WM_MOVE, 0, Pack(pos.x(), pos.y())};
        break;
    }
    case QEvent::Resize: {
        QSize size = static_cast<QResizeEvent*>(event)->size();
        WPARAM state = widget->isMinimized() ? SIZE_MINIMIZED : widget->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
        msg = {WM_SIZE, state, Pack(size.width(), size.height())};
        break;
    }
    case QEvent::Show: msg = {WM_SHOWWINDOW, 1, 0}; break;
    case QEvent::Hide: msg = {WM_SHOWWINDOW, 0, 0}; break;
    case QEvent::Close: msg = {WM_CLOSE, 0, 0}; break;
    case QEvent::FocusIn: msg = {WM_SETFOCUS, 0, 0}; break;
    case QEvent::FocusOut: msg = {WM_KILLFOCUS, 0, 0}; break;
    case QEvent::Paint: msg = {WM_PAINT, 0, 0}; break;
    case QEvent::WindowActivate: msg = {WM_ACTIVATE, 1, 0}; break;
    case QEvent::WindowDeactivate: msg = {WM_ACTIVATE, 0, 0}; break;
    case QEvent::EnabledChange: msg = {WM_ENABLE, widget->isEnabled() ? WPARAM(1) : WPARAM(0), 0}; break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        msg = {event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP, VirtualKeyOf(*static_cast<QKeyEvent*>(event)), 0};
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint pos = mouse->position().toPoint();
        UINT id = event->type() == QEvent::MouseMove ? WM_MOUSEMOVE : ButtonMessage(event->type(), mouse->button());
        msg = {id, MouseKeys(*mouse), Pack(pos.x(), pos.y())};
        break;
    }
    case QEvent::Wheel: msg = {WM_MOUSEWHEEL, 0, 0}; break;
    default:
        if (event->type() == TMinMaxQuery::Kind()) {
            msg = {WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&static_cast<TMinMaxQuery*>(event)->Info)};
        } else if (event->type() == TMenuPopupQuery::Kind()) {
            auto* popup = static_cast<TMenuPopupQuery*>(event);
            msg = {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->Menu), Pack(popup->Index, popup->SystemMenu ? 1 : 0)};
        }
        break;
    }
    return msg;
}

bool IsPress(QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

// The window system does with a press what a hit test answered: moves or sizes the window, or
// lets the press fall nowhere.
void ActOnHitTest(QWidget* widget, LRESULT hit, Qt::MouseButton button)
{
    QWindow* window = widget->window()->windowHandle();
    if (!window || button != Qt::LeftButton)
        return;
    if (hit == HTCAPTION) {
        window->startSystemMove();
        return;
    }
    if (const Qt::Edges edges = SizingEdgesOf(hit))
        window->startSystemResize(edges);
}

} // namespace

// One record per hooked control: its event filter, and the hooks registered with it.
class TControlHook : public QObject {
public:
    explicit TControlHook(TWinControl* control) : FControl(control) {}
    ~TControlHook() override;

    TWinControl* Control() const { return FControl; }
    int HookCount() const { return static_cast<int>(FHooks.size()); }
    void AddHook(TWindowHook* hook);
    void RemoveHook(TWindowHook* hook);
    void ControlGone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Install();
    void Uninstall();
    void RunHooks(bool before, TMessage& msg, bool& handled);
    bool AnyAfterHook() const;
    LRESULT HitTest(QPoint screenPos);

    TWinControl* FControl;
    QPointer<QWidget> FWidget;
    std::vector<TWindowHook*> FHooks;
    std::unordered_set<const QEvent*> FResent;
    bool FDestroying = false;
};

namespace {

// Every record, and a hidden window that frees unused records on the next turn of the loop, so
// that no record goes while its own filter runs.
class THookList {
public:
    THookList()
    {
        FWindow = AllocateHWnd([this](TMessage& msg) {
            if (msg.Msg == CM_RELEASEHOOK)
                Dispatch([&] { Release(reinterpret_cast<TControlHook*>(msg.LParam)); });
        });
    }
    TControlHook* Find(TWinControl* control, bool create)
    {
        if (!control)
            return nullptr;
        for (TControlHook* record : FRecords)
            if (record->Control() == control)
                return record;
        if (!create)
            return nullptr;
        FRecords.push_back(new TControlHook(control));
        return FRecords.back();
    }
    void Forget(TControlHook* record) { FRecords.erase(std::remove(FRecords.begin(), FRecords.end(), record), FRecords.end()); }
    void PostRelease(TControlHook* record) { PostMessage(FWindow, CM_RELEASEHOOK, 0, reinterpret_cast<LPARAM>(record)); }
    int Count() const { return static_cast<int>(FRecords.size()); }

private:
    void Release(TControlHook* record)
    {
        if (std::find(FRecords.begin(), FRecords.end(), record) != FRecords.end() && record->HookCount() == 0)
            delete record;
    }
    HWND FWindow = 0;
    std::vector<TControlHook*> FRecords;
};

// Made on first use and kept to the end of the process: freeing it while other static objects
// go away would reach a message layer that may already be gone.
THookList*& HookListHolder()
{
    static THookList* list = nullptr;
    return list;
}

THookList& Hooks()
{
    THookList*& list = HookListHolder();
    if (!list)
        list = new THookList();
    return *list;
}

} // namespace

Qt::Edges SizingEdgesOf(LRESULT hit)
{
    static const std::pair<LRESULT, Qt::Edges> borders[] = {
        {HTLEFT, Qt::LeftEdge}, {HTRIGHT, Qt::RightEdge}, {HTTOP, Qt::TopEdge},
        {HTTOPLEFT, Qt::TopEdge | Qt::LeftEdge}, {HTTOPRIGHT, Qt::TopEdge | Qt::RightEdge},
        {HTBOTTOM, Qt::BottomEdge}, {HTBOTTOMLEFT, Qt::BottomEdge | Qt::LeftEdge},
        {HTBOTTOMRIGHT, Qt::BottomEdge | Qt::RightEdge}};
    for (const auto& [answer, edges] : borders)
        if (hit == answer)
            return edges;
    return {};
}

int HookedControlCount()
{
    return HookListHolder() ? HookListHolder()->Count() : 0;
}

// ---- the record ----

TControlHook::~TControlHook()
{
    FDestroying = true;
    if (HookListHolder())
        HookListHolder()->Forget(this);
    while (!FHooks.empty())
        RemoveHook(FHooks.back());
    Uninstall();
}

void TControlHook::AddHook(TWindowHook* hook)
{
    if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end())
        FHooks.push_back(hook);
    hook->FControlHook = this;
    Install();
}

void TControlHook::RemoveHook(TWindowHook* hook)
{
    hook->FControlHook = nullptr;
    FHooks.erase(std::remove(FHooks.begin(), FHooks.end(), hook), FHooks.end());
    if (FHooks.empty())
        Uninstall();
}

void TControlHook::ControlGone()
{
    Uninstall();
    FControl = nullptr;
}

void TControlHook::Install()
{
    if (FDestroying || !FControl || FControl->Destroying() || FWidget || !FControl->Widget())
        return;
    FWidget = FControl->Widget();
    FWidget->installEventFilter(this);
}

void TControlHook::Uninstall()
{
    if (FWidget)
        FWidget->removeEventFilter(this);
    FWidget = nullptr;
}

bool TControlHook::AnyAfterHook() const
{
    return std::any_of(FHooks.begin(), FHooks.end(), [](TWindowHook* hook) { return static_cast<bool>(hook->AfterMessage); });
}

// Newest first; a hook that sets Handled ends the walk.
void TControlHook::RunHooks(bool before, TMessage& msg, bool& handled)
{
    if (FHooks.empty() || !FControl || FDestroying || FControl->Destroying())
        return;
    std::vector<TWindowHook*> hooks = FHooks;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (std::find(FHooks.begin(), FHooks.end(), *it) == FHooks.end())
            continue;
        Dispatch([&] {
            if (before)
                (*it)->DoBeforeMessage(msg, handled);
            else
                (*it)->DoAfterMessage(msg, handled);
        });
        if (handled)
            break;
    }
}

// The control's own answer is that the point lies in its client area.
LRESULT TControlHook::HitTest(QPoint screenPos)
{
    TMessage hit{WM_NCHITTEST, 0, Pack(screenPos.x(), screenPos.y())};
    bool handled = false;
    RunHooks(true, hit, handled);
    if (!handled) {
        hit.Result = HTCLIENT;
        RunHooks(false, hit, handled);
    }
    return hit.Result;
}

bool TControlHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FWidget || FResent.count(event))
        return false;
    if (IsPress(event)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPointer<QWidget> widget = FWidget;
        LRESULT hit = HitTest(mouse->globalPosition().toPoint());
        if (hit != HTCLIENT) {
            if (widget)
                ActOnHitTest(widget, hit, mouse->button());
            return true;
        }
        if (!widget)
            return true;
    }
    TMessage msg = MessageOf(FWidget, event);
    if (msg.Msg == 0)
        return false;
    bool handled = false;
    RunHooks(true, msg, handled);
    if (handled)
        return true;
    if (!AnyAfterHook())
        return false;
    // The control handles the event now, so that the after-hooks see its outcome.
    QPointer<TControlHook> self = this;
    QPointer<QWidget> widget = FWidget;
    FResent.insert(event);
    QCoreApplication::sendEvent(widget, event);
    if (!self)
        return true;
    FResent.erase(event);
    if (widget)
        RunHooks(false, msg, handled);
    return true;
}

// ---- the component ----

TWindowHook::TWindowHook(TComponent* owner) : TComponent(owner) {}

TWindowHook::~TWindowHook()
{
    BeforeMessage = nullptr;
    AfterMessage = nullptr;
    SetActive(false);
    SetWinControl(nullptr);
}

void TWindowHook::SetActive(bool active)
{
    if (active)
        HookControl();
    else
        UnhookControl();
}

void TWindowHook::HookControl()
{
    FActive = true;
    if (FControl && !Destroying() && !FControlHook)
        Hooks().Find(FControl, true)->AddHook(this);
}

void TWindowHook::UnhookControl()
{
    FActive = false;
    if (FControlHook)
        FControlHook->RemoveHook(this);
}

TWinControl* TWindowHook::WinControl() const
{
    return FControlHook ? FControlHook->Control() : FControl;
}

void TWindowHook::SetWinControl(TWinControl* control)
{
    if (control == FControl)
        return;
    bool wasActive = FActive;
    TControlHook* old = FControlHook;
    UnhookControl();
    FActive = wasActive;
    if (FControl)
        FControl->RemoveFreeNotification(this);
    FControl = control;
    if (control)
        control->FreeNotification(this);
    if (old && old->HookCount() == 0 && HookListHolder())
        HookListHolder()->PostRelease(old);
    if (wasActive)
        HookControl();
}

bool TWindowHook::IsForm() const
{
    return FControl && FControl == Owner() && dynamic_cast<TForm*>(Owner());
}

void TWindowHook::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    auto* ancestor = dynamic_cast<const TWindowHook*>(filer.Ancestor);
    const bool hasData = ancestor ? ancestor->IsForm() != IsForm() : IsForm();
    filer.DefineProperty(
        "IsForm",
        [this](TReader& reader) {
            if (reader.ReadBoolean())
                if (auto* form = dynamic_cast<TForm*>(Owner()))
                    SetWinControl(form);
        },
        [this](TWriter& writer) { writer.WriteBoolean(IsForm()); }, hasData);
}

void TWindowHook::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == FControl) {
        if (FControlHook)
            FControlHook->ControlGone();
        SetWinControl(nullptr);
    }
}

void TWindowHook::DoBeforeMessage(TMessage& msg, bool& handled)
{
    if (BeforeMessage)
        BeforeMessage(this, msg, handled);
}

void TWindowHook::DoAfterMessage(TMessage& msg, bool& handled)
{
    if (AfterMessage)
        AfterMessage(this, msg, handled);
}
