// What the engine's view tells the control, each handed on as the control's own event: inside a
// dispatch point, and out of the engine's own call where what follows may free the view or run
// a modal box.
#include "platform/services/WebBrowser.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/WebBrowserEngine.h"
#include <QFrame>
#include <QtDebug>

WebPageEvents TWebBrowser::PageEvents(int serial)
{
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
    // even before this one is freed; a later view is not touched. A view still being set up (a
    // helper gone at once) only notes its end: the set-up's calls still go to it.
    events.Ended = [this, serial](const QString& reason) {
        qWarning().noquote() << "The browser engine ended:" << reason;
        if (serial != FViewSerial)
            return;
        const THelperLife before = FLife;
        if (Happened(THelperEvent::Ended) == THelperLife::Failed && before == THelperLife::Running)
            Dispatch([this] { ViewEnded(); });
    };
    return events;
}
