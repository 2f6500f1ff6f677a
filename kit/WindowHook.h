// TWindowHook: lets its owner see the messages of another control before and after the control
// handles them, without the control's help. The control's window events arrive as messages
// (HookMessages below): a before-hook that sets Handled keeps the message from the control (and
// from older hooks); after-hooks see it once the control has handled it. Several hooks may
// watch one control; the newest runs first. The hook of a control that is freed goes quietly.
#pragma once
#include "platform/core/Component.h"
#include "platform/messages/Messages.h"
#include <QtCore/qnamespace.h>
#include <functional>

class TWinControl;
class TControlHook;

// The window messages a hook sees, each standing for the toolkit's event of the same meaning
// (the mouse messages, WM_CLOSE and WM_DESTROY are the platform's own), and the questions the
// forms layer puts to a window: the size limits (LParam points to the MINMAXINFO to change), a
// menu about to pop up (WParam the QMenu, LParam its index | system menu << 16) and, before each
// mouse press, what the press hits (LParam the screen point; Result HTCLIENT lets the press
// through, HTCAPTION moves the window, a border answer sizes it, any other drops the press).
// WParam and LParam carry what Windows would: sizes and positions as low | high << 16, virtual
// keys, key-state flags, 1 or 0 for show, activate and enable.
namespace HookMessages {
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr WPARAM SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;
// What a point of a window is: the answers of a hit test.
constexpr LRESULT HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTLEFT = 10,
                  HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16,
                  HTBOTTOMRIGHT = 17;
} // namespace HookMessages

using THookMessageEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TWindowHook : public TComponent {
public:
    explicit TWindowHook(TComponent* owner);
    ~TWindowHook() override;

    // Hooked while active and a control is set.
    bool Active() const { return FActive; }
    void SetActive(bool active);
    TWinControl* WinControl() const;
    void SetWinControl(TWinControl* control);
    // True when the hook watches its owner form. A form stream keeps this rather than the form
    // itself (as "IsForm"), and reading it True hooks the hook's owner form.
    bool IsForm() const;
    void HookControl();
    void UnhookControl();

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

protected:
    void DefineProperties(TFiler& filer) override;
    virtual void DoBeforeMessage(TMessage& msg, bool& handled);
    virtual void DoAfterMessage(TMessage& msg, bool& handled);
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TControlHook;
    bool FActive = true;
    TWinControl* FControl = nullptr;
    TControlHook* FControlHook = nullptr;
};

// The window edges a border answer of a hit test sizes the window from; none for other answers.
Qt::Edges SizingEdgesOf(LRESULT hit);

// How many controls have a hook record now (records without hooks are freed on the next turn of
// the message loop).
int HookedControlCount();
