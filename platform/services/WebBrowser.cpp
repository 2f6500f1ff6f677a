// The control itself: its frame, navigation and the loading of documents.
#include "platform/services/WebBrowser.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"
#include "platform/services/WebBrowserEngine.h"
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The engine with a shown table holds some 300 MiB in its processes; a program that waits in
// the tray for hours gives that back a minute after its last table was in sight.
constexpr int kEngineIdleMs = 60000;
// Shown in place of a page the engine could not show (its helper missing, failed or hung).
const AnsiString kNoPageNotice = "Sivua ei voitu näyttää."_a;

} // namespace

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
        // no document, and loading fails instead of waiting for one. Out of sight no engine is
        // started (some 300 MiB for a window minimised or in the tray): the document is there,
        // and a page loaded into it waits until the control is in sight.
        if (ShownOnScreen() && !EnsureView())
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
    if (!FHasDocument) {
        // The engine could not be had: the page shows once it can, the next time the control
        // comes into sight.
        if (!FNotice->isHidden()) {
            FIdlePage = html;
            Happened(THelperEvent::NotMade);
        }
        return E_NOINTERFACE;
    }
    if (!View()) {
        // A document had out of sight: the page is the engine's once the control is in sight.
        FIdlePage = html;
        FReadyState = READYSTATE_LOADING;
        Happened(THelperEvent::Kept);
        return S_OK;
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

bool TWebBrowser::widget_event(QObject* watched, QEvent* event)
{
    if (watched == FFrame) {
        switch (event->type()) {
        case QEvent::Show:
            // A page that waits for sight comes now, not at the next check.
            if (FLife == THelperLife::Waiting)
                QTimer::singleShot(0, FFrame, [this] {
                    if (FLife == THelperLife::Waiting)
                        CheckIdle();
                });
            break;
        case QEvent::Hide:
            Happened(THelperEvent::OutOfSight); // a page kept from a failed engine comes back at the next show
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
