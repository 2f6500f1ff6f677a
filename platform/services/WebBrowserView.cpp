// The engine's view of the browser control through the life of its helper: made for the first page,
// freed after a while out of sight with its page kept for the next time the control is in sight,
// and let go when its helper ends by itself, a notice showing in its place.
#include "platform/services/WebBrowser.h"
#include "platform/messages/Application.h"
#include "platform/services/WebBrowserEngine.h"
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QTimer>

namespace {

constexpr int kIdleChecksPerTime = 4;
// How soon a page without a view comes back once the control is in sight again.
constexpr int kComeBackCheckMs = 300;

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

} // namespace

THelperLife TWebBrowser::Happened(THelperEvent event)
{
    FLife = NextHelperLife(FLife, event);
    switch (FLife) {
    case THelperLife::Running:
        if (event == THelperEvent::Made) {
            FSinceShown.start();
            FIdleTimer->start(std::max(1, FEngineIdleMs / kIdleChecksPerTime));
        }
        break;
    case THelperLife::Waiting:
    case THelperLife::Failed:
        FIdleTimer->start(kComeBackCheckMs);
        break;
    default:
        FIdleTimer->stop();
        break;
    }
    return FLife;
}

bool TWebBrowser::EnsureView()
{
    if (View())
        return true;
    Happened(THelperEvent::Start);
    FView = CreateWebPageView(FFrame, PageEvents(++FViewSerial)).release();
    if (!FView) {
        Happened(THelperEvent::NotMade);
        ShowNotice(true);
        return false;
    }
    FViewWidget = FView->Widget();
    FFrame->layout()->addWidget(FViewWidget);
    ShowNotice(false);
    FView->SetScrollBarsShown(FScrollBarsShown);
    FView->Apply(PageSettings());
    if (Happened(THelperEvent::Made) == THelperLife::Failed) {
        ViewEnded();
        return false;
    }
    return true;
}

// The engine's helper ended, failed or stopped answering: a plain notice takes the view's place,
// and the page comes back in a new view the next time the control comes into sight. Not sooner: a
// helper that fails at its start would otherwise be started again and again. The view is freed
// once out of its own call, which may be the one that tells of the end.
void TWebBrowser::ViewEnded()
{
    if (!View())
        return;
    ShowNotice(true);
    WebPageView* ended = LetViewGo(THelperEvent::Ended).release();
    QMetaObject::invokeMethod(FFrame, [ended] { delete ended; }, Qt::QueuedConnection);
}

// Lets the view go with its document: once freed, the engine's processes end, and the next page
// makes a new view. A page that closed itself is not shown again; the page shown (none, for a
// blank document) is otherwise what waits for the next time the control is in sight.
std::unique_ptr<WebPageView> TWebBrowser::LetViewGo(THelperEvent event)
{
    std::unique_ptr<WebPageView> view(View());
    if (!view)
        return view;
    AnsiString page = std::move(FShownPage);
    if (FHasPage)
        Unload();
    FView = nullptr;
    FViewWidget->hide();
    FViewWidget = nullptr;
    FHasDocument = false;
    FHasPage = false;
    FShownPage.clear();
    FReadyState = READYSTATE_UNINITIALIZED;
    if (event == THelperEvent::Closed)
        FIdlePage.clear();
    else
        FIdlePage = std::move(page);
    Happened(event);
    return view;
}

void TWebBrowser::ShowNotice(bool shown)
{
    FNotice->setVisible(shown);
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
    if (FLife == THelperLife::Running)
        FIdleTimer->start(std::max(1, FEngineIdleMs / kIdleChecksPerTime));
}

void TWebBrowser::CheckIdle()
{
    if (!View()) {
        // A page without a view comes back when the control is in sight, unless a new page was
        // loaded meanwhile.
        if (FHasPage || FIdlePage.empty()) {
            FIdlePage.clear();
            Happened(THelperEvent::NothingWaits);
        } else if (!ShownOnScreen()) {
            Happened(THelperEvent::OutOfSight);
        } else if (FLife == THelperLife::Waiting) {
            Dispatch([this] { ShowIdlePage(); });
        }
        return;
    }
    // Measured on a clock that the wall clock's moves (a user setting it, a time server) don't
    // touch.
    if (ShownOnScreen() || FInOwnDialog || FReadyState == READYSTATE_LOADING)
        FSinceShown.start();
    else if (FSinceShown.hasExpired(FEngineIdleMs))
        Dispatch([this] { LetViewGo(THelperEvent::Freed).reset(); });
}

void TWebBrowser::ShowIdlePage()
{
    AnsiString page = std::move(FIdlePage);
    FIdlePage.clear();
    if (!EnsureView()) {
        // The helper could not be had: no document, and the page waits for the next show.
        FHasDocument = false;
        FReadyState = READYSTATE_UNINITIALIZED;
        FIdlePage = std::move(page);
        Happened(THelperEvent::NotMade);
        return;
    }
    FHasDocument = true;
    FReadyState = READYSTATE_COMPLETE;
    AmbientPropertyChange();
    LoadDocument(page);
}
