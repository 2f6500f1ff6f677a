// The page's boxes (a script's alert, confirm and prompt, the script error box): the container is
// asked first, else the control's own boxes come up as the program's boxes do.
#include "platform/services/WebBrowser.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/messages/Application.h"
#include <QApplication>
#include <QFrame>

namespace {

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
