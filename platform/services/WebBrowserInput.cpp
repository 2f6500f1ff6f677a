// What the user does in the page: keys the container may take first, links, the context menu,
// focus, drags and a page's own requests to close or unload.
#include "platform/services/WebBrowser.h"
#include "platform/forms/KeyCodes.h"
#include "platform/messages/Application.h"
#include "platform/services/WebBrowserEngine.h"
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>

namespace {

// The point the platform's message record carries for reflected key messages.
constexpr int kReflectedPoint = 0x115DE1F1;
constexpr UINT WM_KEYDOWN = 0x0100;

bool IsExtendedKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Insert: case Qt::Key_Delete:
        return !(event.modifiers() & Qt::KeypadModifier);
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

} // namespace

void TWebBrowser::LinkActivated(const AnsiString& href)
{
    Navigate(href);
}

// Keys the container does not take go on to the engine, which does what a browser does with
// them: Enter on a focused link activates it (and the host script reports it like a click), the
// arrows scroll.
bool TWebBrowser::KeyPressed(QKeyEvent& event)
{
    const WORD key = VirtualKeyOf(event);
    const bool extended = IsExtendedKey(event);
    if (key != 0 && TranslatesKey(key, extended)) {
        TMsg message;
        message.hwnd = reinterpret_cast<HWND>(FView);
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = extended ? (1 << 24) : 0;
        message.time = static_cast<DWORD>(event.timestamp());
        message.pt = TPoint{kReflectedPoint, kReflectedPoint};
        if (TranslateAccelerator(message, nullptr, 0) == S_OK)
            return true;
    }
    if (event.key() == Qt::Key_F1) {
        const QPoint mouse = QCursor::pos();
        ShowHelp(reinterpret_cast<HWND>(FFrame), AnsiString(), HELP_CONTEXT, 0, TPoint{mouse.x(), mouse.y()}, nullptr);
        return true;
    }
    // A page from text has nothing to reload; Ctrl+F5 asks to reload past the cache.
    if (event.key() == Qt::Key_F5) {
        Exec(TCommandGroup::DocHostCommandHandler,
             event.modifiers() & Qt::ControlModifier ? IDM_REFRESH_TOP_FULL : IDM_REFRESH);
        return true;
    }
    return false;
}

bool TWebBrowser::ContextMenuRequested(bool onLink, QPoint at)
{
    TPoint point{at.x(), at.y()};
    HRESULT answer = S_FALSE;
    Dispatch([&] { answer = ShowContextMenu(onLink ? CONTEXT_MENU_ANCHOR : CONTEXT_MENU_DEFAULT, &point, nullptr, nullptr); });
    return answer == S_OK;
}

void TWebBrowser::FocusChanged(bool focused)
{
    if (focused) {
        OnDocWindowActivate(true);
        ShowUI();
    } else {
        HideUI();
        OnDocWindowActivate(false);
    }
}

void TWebBrowser::CloseRequested()
{
    if (View() && CanClose())
        LetViewGo(THelperEvent::Closed).reset();
}

WebDragAnswer TWebBrowser::DragEntered(const QMimeData* data)
{
    WebDragAnswer answer;
    void* own = View() ? static_cast<QObject*>(View()->Widget()) : nullptr;
    void* target = nullptr;
    if (GetDropTarget(own, target) == S_OK && target && target != own) {
        answer.target = static_cast<QObject*>(target);
        return answer;
    }
    void* replaced = nullptr;
    if (FilterDataObject(const_cast<QMimeData*>(data), replaced) == S_OK && replaced && replaced != data)
        answer.data = static_cast<const QMimeData*>(replaced);
    return answer;
}

void TWebBrowser::Unload()
{
    Exec(TCommandGroup::Explorer, SHDVID_UNLOAD);
}
