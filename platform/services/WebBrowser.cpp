#include "platform/services/WebBrowser.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"
#include "platform/services/WebBrowserEngine.h"
#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QTimer>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QtDebug>

namespace {

// The point the platform's message record carries for reflected key messages.
constexpr int kReflectedPoint = 0x115DE1F1;
constexpr UINT WM_KEYDOWN = 0x0100;
// Waits of DocumentText for the engine; a page it never finishes must not hang a test.
constexpr int kLongestWaitMs = 30000;
// The engine with a shown table holds some 300 MiB in its processes; a program that waits in
// the tray for hours gives that back a minute after its last table was in sight.
constexpr int kEngineIdleMs = 60000;
constexpr int kIdleChecksPerTime = 4;
// How soon a page freed out of sight comes back once the control is in sight again.
constexpr int kComeBackCheckMs = 300;
// Shown in place of a page the engine could not show (its helper missing, failed or hung).
const AnsiString kNoPageNotice = "Sivua ei voitu näyttää."_a;

// The platform's download-control flags that the engine has a setting for.
constexpr DWORD kDownloadImages = 0x10;
constexpr DWORD kPlayVideos = 0x20;
constexpr DWORD kPlaySounds = 0x40;
constexpr DWORD kNoScripts = 0x80;
constexpr DWORD kSilent = 0x40000000;
// The control's own choice when its container has no ambient download flags.
constexpr DWORD kDefaultDownloadFlags = kDownloadImages | kPlayVideos | kPlaySounds;

// Faces the program's pages and forms name, drawn here as the forms draw them.
constexpr const char* kNamedFaces[] = {"Verdana", "Arial", "Tahoma", "MS Sans Serif", "Microsoft Sans Serif",
                                       "Times New Roman", "Courier New", "Courier"};

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

// Whether a later sibling (one drawn above it) that is shown covers the whole of the widget.
bool CoveredBySibling(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return false;
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(widget)) + 1; i > 0 && i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (sibling && sibling->isVisible() && !sibling->isWindow() && sibling->geometry().contains(widget->geometry()))
            return true;
    }
    return false;
}

// Tells of every window shown while it exists.
class WindowShownWatch : public QObject {
public:
    explicit WindowShownWatch(std::function<void(QWidget*)> shown) : FShown(std::move(shown))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            FShown(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::function<void(QWidget*)> FShown;
};

} // namespace

AnsiString TScriptErrorEvent::Property(const AnsiString& name) const
{
    if (SameText(name, "errorLine"))
        return IntToStr(FLine);
    if (SameText(name, "errorCharacter"))
        return IntToStr(FColumn);
    if (SameText(name, "errorCode"))
        return "0"; // the engine tells none
    if (SameText(name, "errorMessage"))
        return FMessage;
    if (SameText(name, "errorUrl"))
        return FUrl;
    throw Exception("'" + name + "' not supported.");
}

struct TWebBrowser::DragAnswer : WebDragAnswer {};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner), FFrame(new QFrame), FEngineIdleMs(kEngineIdleMs)
{
    FFrame->setFrameShape(QFrame::StyledPanel);
    // A ground of its own while there is no page: what lies under the control never shows
    // through.
    FFrame->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(FFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    FNotice = new QLabel(ToQString(kNoPageNotice), FFrame);
    FNotice->setAlignment(Qt::AlignCenter);
    FNotice->hide();
    layout->addWidget(FNotice);
    SetWidget(FFrame);
    FIdleTimer = new QTimer(FFrame);
    QObject::connect(FIdleTimer, &QTimer::timeout, FFrame, [this] { CheckIdle(); });
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
    // A link that comes when a modal box of the program has come up since (two clicks read at
    // once, the first opening a box) does nothing under the box, as a click there would.
    events.LinkActivated = [this](const QString& href) {
        QMetaObject::invokeMethod(
            FFrame,
            [this, href] {
                if (FFrame->isEnabled())
                    Dispatch([&] { LinkActivated(FromQString(href)); });
            },
            Qt::QueuedConnection);
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
    events.Alert = [this](const QString& text) { Dispatch([&] { Alert(FromQString(text)); }); };
    events.Confirm = [this](const QString& text) {
        bool answer = false;
        Dispatch([&] { answer = Confirm(FromQString(text)); });
        return answer;
    };
    events.Prompt = [this](const QString& text, const QString& defaultValue, QString& answer) {
        bool given = false;
        AnsiString entered;
        Dispatch([&] { given = Prompt(FromQString(text), FromQString(defaultValue), entered); });
        if (given)
            answer = ToQString(entered);
        return given;
    };
    events.ScriptError = [this](const QString& message, int line, int column, const QString& url) {
        bool goOn = true;
        Dispatch([&] { goOn = ScriptError(FromQString(message), line, column, FromQString(url)); });
        return goOn;
    };
    // Out of the engine's own call: closing frees the page that asks.
    events.CloseRequested = [this] {
        QMetaObject::invokeMethod(FFrame, [this] { Dispatch([this] { CloseRequested(); }); }, Qt::QueuedConnection);
    };
    events.DragEntered = [this](const QMimeData* data, QPoint, Qt::DropActions) {
        WebDragAnswer answer;
        Dispatch([&] { answer = DragEntered(data); });
        return answer;
    };
    // The view that tells of its end is let go at once, so that the next page starts a new one
    // even before this one is freed; a later view is not touched.
    events.Ended = [this, serial = ++FViewSerial](const QString& reason) {
        qWarning().noquote() << "The browser engine ended:" << reason;
        if (serial != FViewSerial)
            return;
        if (FMakingView)
            FEndedWhileMade = true;
        else
            Dispatch([this] { ViewEnded(); });
    };
    // Until the view is set up, its end (a helper gone at once) is only noted: the calls below
    // still go to it.
    FMakingView = true;
    FEndedWhileMade = false;
    FView = CreateWebPageView(FFrame, std::move(events)).release();
    if (!FView) {
        FMakingView = false;
        ShowNotice(true);
        return false;
    }
    FViewWidget = FView->Widget();
    FFrame->layout()->addWidget(FViewWidget);
    ShowNotice(false);
    FView->SetScrollBarsShown(FScrollBarsShown);
    FView->Apply(PageSettings());
    FSinceShown.start();
    FIdleTimer->start(std::max(1, FEngineIdleMs / kIdleChecksPerTime));
    FMakingView = false;
    if (FEndedWhileMade) {
        ViewEnded();
        return false;
    }
    return true;
}

// The engine's helper ended, failed or stopped answering: its view is let go (freed once out of
// its own call), a plain notice takes its place, and the page comes back in a new view the next
// time the control comes into sight. Not sooner: a helper that fails at its start would
// otherwise be started again and again.
void TWebBrowser::ViewEnded()
{
    WebPageView* ended = View();
    if (!ended)
        return;
    const bool hadPage = FHasPage;
    AnsiString page = FShownPage;
    FView = nullptr;
    FViewWidget->hide();
    FViewWidget = nullptr;
    QMetaObject::invokeMethod(FFrame, [ended] { delete ended; }, Qt::QueuedConnection);
    FHasDocument = false;
    FHasPage = false;
    FShownPage.clear();
    FReadyState = READYSTATE_UNINITIALIZED;
    ShowNotice(true);
    if (hadPage) {
        Unload();
        FIdlePage = std::move(page);
    }
    FComeBackAfterHidden = true;
    FIdleTimer->start(kComeBackCheckMs);
}

void TWebBrowser::ShowNotice(bool shown)
{
    FNotice->setVisible(shown);
}

WebPageSettings TWebBrowser::PageSettings()
{
    int flags = static_cast<int>(kDefaultDownloadFlags);
    if (Invoke(DISPID_AMBIENT_DLCONTROL, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &flags, nullptr, nullptr) != S_OK)
        flags = static_cast<int>(kDefaultDownloadFlags);
    const auto has = [flags](DWORD flag) { return (static_cast<DWORD>(flags) & flag) != 0; };
    WebPageSettings settings;
    settings.scripts = !has(kNoScripts);
    settings.images = has(kDownloadImages);
    settings.videos = has(kPlayVideos);
    settings.sounds = has(kPlaySounds);
    FSilent = has(kSilent);
    settings.standardFamily = ToQString(InstalledFamily(TFont().Name()));
    settings.sansSerifFamily = ToQString(InstalledFamily("Arial"));
    settings.serifFamily = ToQString(InstalledFamily("Times New Roman"));
    settings.fixedFamily = ToQString(InstalledFamily("Courier New"));
    for (const char* face : kNamedFaces)
        if (InstalledFamily(face) != face)
            settings.namedFaces.emplace_back(QString::fromLatin1(face), ToQString(InstalledFamily(face)));
    return settings;
}

void TWebBrowser::Navigate(const AnsiString& address, TShellSource source)
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
        ShellExecute(0, "open", URL, AnsiString(), AnsiString(), SW_SHOWNORMAL, source);
    }
}

HRESULT TWebBrowser::LoadDocument(const AnsiString& html)
{
    if (!FHasDocument || !View()) {
        // The engine could not be had: the page shows once it can, the next time the control
        // comes into sight.
        if (!FNotice->isHidden()) {
            FIdlePage = html;
            FComeBackAfterHidden = true;
            FIdleTimer->start(kComeBackCheckMs);
        }
        return E_NOINTERFACE;
    }
    if (FHasPage)
        Unload();
    FHasPage = true;
    FShownPage = html;
    FIdlePage.clear();
    FSinceShown.start();
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

void TWebBrowser::AmbientPropertyChange()
{
    if (View())
        View()->Apply(PageSettings());
    TDocHostUIInfo info;
    if (GetHostInfo(info) != S_OK)
        return;
    FFrame->setFrameShape(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER ? QFrame::NoFrame : QFrame::StyledPanel);
    FScrollBarsShown = !(info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO);
    if (View())
        View()->SetScrollBarsShown(FScrollBarsShown);
}

// The control's own boxes come up as the program's boxes do; the container hears of each as its
// window comes up.
template <typename Box>
auto TWebBrowser::OwnDialog(Box box)
{
    const bool outer = !FInOwnDialog;
    FInOwnDialog = true;
    WindowShownWatch watch([this](QWidget* dialog) {
        if (dialog != FFrame->window())
            Dispatch([&] { DialogActivated(dialog); });
    });
    auto answer = box();
    if (outer)
        FInOwnDialog = false;
    return answer;
}

void TWebBrowser::Alert(const AnsiString& text)
{
    LRESULT result = 0;
    if (ShowMessage(reinterpret_cast<HWND>(FFrame), text, Application->Title(), MB_OK | MB_ICONWARNING, AnsiString(),
                    0, result) == S_OK ||
        FSilent)
        return;
    OwnDialog([&] { return MessageDlg(text, mtWarning, {mbOK}); });
}

bool TWebBrowser::Confirm(const AnsiString& text)
{
    LRESULT result = 0;
    if (ShowMessage(reinterpret_cast<HWND>(FFrame), text, Application->Title(), MB_OKCANCEL | MB_ICONQUESTION,
                    AnsiString(), 0, result) == S_OK)
        return result == IDOK;
    return !FSilent && OwnDialog([&] { return MessageDlg(text, mtConfirmation, {mbOK, mbCancel}); }) == mrOk;
}

// A container that shows the prompt itself can only accept or refuse it: accepted, the page
// gets its own default answer.
bool TWebBrowser::Prompt(const AnsiString& text, const AnsiString& defaultValue, AnsiString& answer)
{
    LRESULT result = 0;
    if (ShowMessage(reinterpret_cast<HWND>(FFrame), text, Application->Title(), MB_OKCANCEL | MB_ICONQUESTION,
                    AnsiString(), 0, result) == S_OK) {
        answer = defaultValue;
        return result == IDOK;
    }
    if (FSilent)
        return false;
    answer = defaultValue;
    return OwnDialog([&] { return InputQuery(Application->Title(), text, answer); });
}

// The container is asked first; unless it answered for the dialog, the control's own box asks
// the user whether the page's scripts may go on.
bool TWebBrowser::ScriptError(const AnsiString& message, int line, int column, const AnsiString& url)
{
    FScriptError = std::make_unique<TScriptErrorEvent>(line, column, message, url);
    bool goOn = true;
    HRESULT answered = OLECMDERR_E_NOTSUPPORTED;
    try {
        answered = Exec(TCommandGroup::DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, &goOn);
    } catch (...) {
        FScriptError.reset();
        throw;
    }
    FScriptError.reset();
    if (answered == S_OK || FSilent)
        return goOn;
    const AnsiString text = "Sivun komentosarjassa on virhe.\n\nRivi: " + IntToStr(line) + "\nVirhe: " + message +
                            "\nOsoite: " + url + "\n\nSuoritetaanko sivun komentosarjoja edelleen?";
    return OwnDialog([&] { return MessageDlg(text, mtError, {mbYes, mbNo}); }) == mrYes;
}

void TWebBrowser::CloseRequested()
{
    if (View() && CanClose())
        CloseDocument();
}

TWebBrowser::DragAnswer TWebBrowser::DragEntered(const QMimeData* data)
{
    DragAnswer answer;
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

// In sight: shown, in a window that is not minimised, and not under a sibling that covers it
// (the main window keeps its views stacked in one panel).
bool TWebBrowser::ShownOnScreen() const
{
    return FFrame->isVisible() && !FFrame->window()->isMinimized() && !CoveredBySibling(FFrame);
}

void TWebBrowser::SetEngineIdleTime(int milliseconds)
{
    FEngineIdleMs = std::max(1, milliseconds);
    if (FIdleTimer->isActive())
        FIdleTimer->start(std::max(1, FEngineIdleMs / kIdleChecksPerTime));
}

void TWebBrowser::CheckIdle()
{
    if (!View()) {
        // The page freed for being out of sight comes back when the control does, unless a new
        // page was loaded meanwhile.
        if (FHasPage || FIdlePage.empty()) {
            FIdlePage.clear();
            FIdleTimer->stop();
        } else if (!ShownOnScreen()) {
            FComeBackAfterHidden = false;
        } else if (!FComeBackAfterHidden) {
            Dispatch([this] { ShowIdlePage(); });
        }
        return;
    }
    // Measured on a clock that the wall clock's moves (a user setting it, a time server) don't
    // touch.
    if (ShownOnScreen() || FInOwnDialog || FReadyState == READYSTATE_LOADING)
        FSinceShown.start();
    else if (FSinceShown.hasExpired(FEngineIdleMs))
        Dispatch([this] {
            AnsiString page = FShownPage;
            CloseDocument();
            FIdlePage = std::move(page);
            FIdleTimer->start(kComeBackCheckMs);
        });
}

void TWebBrowser::ShowIdlePage()
{
    AnsiString page = std::move(FIdlePage);
    FIdlePage.clear();
    FIdleTimer->stop();
    if (!EnsureView()) {
        FIdlePage = std::move(page);
        FComeBackAfterHidden = true;
        FIdleTimer->start(kComeBackCheckMs);
        return;
    }
    FHasDocument = true;
    FReadyState = READYSTATE_COMPLETE;
    AmbientPropertyChange();
    LoadDocument(page);
}

// Frees the view and its document: the engine's processes end, and the next page makes a new
// view.
void TWebBrowser::CloseDocument()
{
    if (FHasPage)
        Unload();
    FIdleTimer->stop();
    delete View();
    FView = nullptr;
    FHasDocument = false;
    FHasPage = false;
    FShownPage.clear();
    FReadyState = READYSTATE_UNINITIALIZED;
}

bool TWebBrowser::widget_event(QObject* watched, QEvent* event)
{
    if (watched == FFrame) {
        switch (event->type()) {
        case QEvent::Hide:
            FComeBackAfterHidden = false; // a page freed by a failed engine comes back at the next show
            break;
        case QEvent::EnabledChange:
            // A modal box of the program disables the windows under it, this control's with them.
            Dispatch([this] { EnableModeless(FFrame->isEnabled()); });
            break;
        case QEvent::WindowActivate:
            Dispatch([this] { OnFrameWindowActivate(true); });
            break;
        case QEvent::WindowDeactivate:
            Dispatch([this] { OnFrameWindowActivate(false); });
            break;
        default:
            break;
        }
    }
    return TWinControl::widget_event(watched, event);
}

void TWebBrowser::resize_event()
{
    const TRect border = Rect(0, 0, FFrame->width(), FFrame->height());
    ResizeBorder(&border, nullptr, true);
}

HRESULT TWebBrowser::ShowContextMenu(DWORD, TPoint*, void*, void*) { return S_FALSE; }
HRESULT TWebBrowser::GetHostInfo(TDocHostUIInfo&) { return E_NOTIMPL; }
HRESULT TWebBrowser::TranslateAccelerator(const TMsg&, const void*, DWORD) { return S_FALSE; }
HRESULT TWebBrowser::ShowUI() { return S_FALSE; }
HRESULT TWebBrowser::HideUI() { return S_FALSE; }
HRESULT TWebBrowser::UpdateUI() { return S_FALSE; }
HRESULT TWebBrowser::OnDocWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::Exec(TCommandGroup, DWORD, bool*) { return OLECMDERR_E_UNKNOWNGROUP; }
HRESULT TWebBrowser::TranslateUrl(DWORD, const AnsiString&, AnsiString&) { return S_FALSE; }
HRESULT TWebBrowser::ShowMessage(HWND, const AnsiString&, const AnsiString&, DWORD, const AnsiString&, DWORD, LRESULT&)
{
    return S_FALSE;
}
HRESULT TWebBrowser::ShowHelp(HWND, const AnsiString&, UINT, DWORD, TPoint, void*) { return S_FALSE; }
HRESULT TWebBrowser::EnableModeless(bool) { return S_FALSE; }
HRESULT TWebBrowser::OnFrameWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::ResizeBorder(const TRect*, void*, bool) { return S_FALSE; }
HRESULT TWebBrowser::GetDropTarget(void*, void*& replacement)
{
    replacement = nullptr;
    return S_OK;
}
HRESULT TWebBrowser::FilterDataObject(void*, void*& replacement)
{
    replacement = nullptr;
    return S_FALSE;
}
HRESULT TWebBrowser::Invoke(int, const void*, int, WORD, void*, int*, void*, void*) { return DISP_E_MEMBERNOTFOUND; }
bool TWebBrowser::TranslatesKey(WORD, bool) const { return true; }
