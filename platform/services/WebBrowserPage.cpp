#include "platform/services/WebBrowserPage.h"
#include "platform/services/WebBrowserProfile.h"
#include <QWebEngineSettings>

WebBrowserPage::WebBrowserPage(QObject* parent) : QWebEnginePage(AcquireWebBrowserProfile(), parent) {}

WebBrowserPage::~WebBrowserPage()
{
    WithdrawPage(FPageUrl);
    ReleaseWebBrowserProfile();
}

void WebBrowserPage::LoadHtml(const QByteArray& html)
{
    // Scripts stopped after an error were stopped for that document only.
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, FScripts);
    FPageUrl = PublishPage(html, FPageUrl);
    load(FPageUrl);
}

void WebBrowserPage::SetScripts(bool allowed)
{
    FScripts = allowed;
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, allowed);
}

// Links are the host script's to report; a link that still gets here (the script could not
// catch it) is refused all the same. Only our own loads of the published page pass: a page's
// refresh of itself (a client pull) comes as a redirect and is refused too.
bool WebBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    return isMainFrame && type == NavigationTypeTyped && url == FPageUrl;
}

void WebBrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                              const QString& source)
{
    if (source == HostScriptSource) {
        if (message.startsWith(LinkMessagePrefix) && OnLinkActivated)
            OnLinkActivated(message.mid(LinkMessagePrefix.size()));
        return;
    }
    // The engine reports a script's uncaught errors only as error messages of its console, told
    // from a script's own console.error by their wording.
    if (level != ErrorMessageLevel || !message.startsWith(QLatin1String("Uncaught ")) || !OnScriptError)
        return;
    if (!OnScriptError(message, line, source))
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
}

void WebBrowserPage::javaScriptAlert(const QUrl&, const QString& text)
{
    if (OnAlert)
        OnAlert(text);
}

bool WebBrowserPage::javaScriptConfirm(const QUrl&, const QString& text)
{
    return OnConfirm && OnConfirm(text);
}

bool WebBrowserPage::javaScriptPrompt(const QUrl&, const QString& text, const QString& defaultValue, QString* answer)
{
    return OnPrompt && answer && OnPrompt(text, defaultValue, *answer);
}

QWebEnginePage* WebBrowserPage::createWindow(WebWindowType)
{
    return nullptr;
}
