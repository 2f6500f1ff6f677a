#include "platform/services/WebBrowser.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"
#include "platform/services/WebBrowserEngine.h"
#include <QDeadlineTimer>
#include <QTimer>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

// The point the platform's message record carries for reflected key messages.
constexpr int kReflectedPoint = 0x115DE1F1;
constexpr UINT WM_KEYDOWN = 0x0100;
// Waits of DocumentText for the engine; a page it never finishes must not hang a test.
constexpr int kLongestWaitMs = 30000;

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

// Runs the message loop until done() or the deadline, sleeping while nothing happens; the timer
// only makes sure the deadline is seen.
void RunUntil(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(kLongestWaitMs);
    QTimer wakeUp;
    wakeUp.start(50);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner), FFrame(new QFrame)
{
    FFrame->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(FFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    SetWidget(FFrame);
}

TWebBrowser::~TWebBrowser()
{
    delete View();
}

bool TWebBrowser::EnsureView()
{
    if (View())
        return true;
    WebPageEvents events;
    // Out of the engine's own call: what a link does may open a modal box.
    events.LinkActivated = [this](const QString& href) {
        QMetaObject::invokeMethod(
            FFrame, [this, href] { Dispatch([&] { LinkActivated(FromQString(href)); }); }, Qt::QueuedConnection);
    };
    events.LoadFinished = [this](bool) { FReadyState = READYSTATE_COMPLETE; };
    events.KeyPressed = [this](QKeyEvent& event) {
        bool handled = false;
        Dispatch([&] { handled = KeyPressed(event); });
        return handled;
    };
    events.ContextMenuRequested = [this](bool onLink, QPoint at) { return ContextMenuRequested(onLink, at); };
    events.FocusChanged = [this](bool focused) { Dispatch([&] { FocusChanged(focused); }); };
    events.SelectionChanged = [this] { Dispatch([this] { UpdateUI(); }); };
    FView = CreateWebPageView(FFrame, std::move(events)).release();
    if (!FView)
        return false;
    FViewWidget = FView->Widget();
    FFrame->layout()->addWidget(FViewWidget);
    FView->SetScrollBarsShown(FScrollBarsShown);
    return true;
}

void TWebBrowser::Navigate(const AnsiString& address)
{
    AnsiString URL = address;
    AnsiString translated;
    if (TranslateUrl(0, address, translated) == S_OK)
        URL = translated;
    bool cancel = false;
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(this, nullptr, URL, 0, AnsiString(), AnsiString(), AnsiString(), cancel);
    if (cancel)
        return;
    if (SameText(URL, "about:blank")) {
        // The engine's view is blank until a page is loaded into it; without an engine there is
        // no document, and loading fails instead of waiting for one.
        if (!EnsureView())
            return;
        FHasDocument = true;
        FReadyState = READYSTATE_COMPLETE;
        AmbientPropertyChange();
    } else if (!URL.empty() && URL[0] == '#') {
        if (View())
            View()->ScrollToAnchor(ToQString(URL.substr(1)));
    } else {
        ShellExecute(0, "open", URL, AnsiString(), AnsiString(), SW_SHOWNORMAL, TShellSource::Network);
    }
}

HRESULT TWebBrowser::LoadDocument(const AnsiString& html)
{
    if (!FHasDocument || !View())
        return E_NOINTERFACE;
    FReadyState = READYSTATE_LOADING;
    View()->Load(QByteArray(html.data(), static_cast<qsizetype>(html.size())));
    return S_OK;
}

void TWebBrowser::WaitWhileLoading() const
{
    RunUntil([this] { return FReadyState != READYSTATE_LOADING || !View(); });
}

AnsiString TWebBrowser::DocumentText() const
{
    if (!View())
        return AnsiString();
    WaitWhileLoading();
    bool answered = false;
    QString text;
    View()->PlainText([&](const QString& plain) {
        text = plain;
        answered = true;
    });
    RunUntil([&] { return answered || !View(); });
    return FromQString(text);
}

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
    if (event.key() == Qt::Key_F5) {
        Exec(TCommandGroup::DocHostCommandHandler, IDM_REFRESH); // a page from text has nothing to reload
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

void TWebBrowser::AmbientPropertyChange()
{
    TDocHostUIInfo info;
    if (GetHostInfo(info) != S_OK)
        return;
    FFrame->setFrameShape(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER ? QFrame::NoFrame : QFrame::StyledPanel);
    FScrollBarsShown = !(info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO);
    if (View())
        View()->SetScrollBarsShown(FScrollBarsShown);
}

HRESULT TWebBrowser::ShowContextMenu(DWORD, TPoint*, void*, void*) { return S_FALSE; }
HRESULT TWebBrowser::GetHostInfo(TDocHostUIInfo&) { return E_NOTIMPL; }
HRESULT TWebBrowser::TranslateAccelerator(const TMsg&, const void*, DWORD) { return S_FALSE; }
HRESULT TWebBrowser::ShowUI() { return S_FALSE; }
HRESULT TWebBrowser::HideUI() { return S_FALSE; }
HRESULT TWebBrowser::UpdateUI() { return S_FALSE; }
HRESULT TWebBrowser::OnDocWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::Exec(TCommandGroup, DWORD) { return OLECMDERR_E_UNKNOWNGROUP; }
HRESULT TWebBrowser::TranslateUrl(DWORD, const AnsiString&, AnsiString&) { return S_FALSE; }
bool TWebBrowser::TranslatesKey(WORD, bool) const { return true; }
