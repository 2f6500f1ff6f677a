#include "platform/services/WebBrowserPage.h"
#include "platform/services/WebBrowserProfile.h"
#include <QJsonArray>
#include <QJsonDocument>
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
    if (source == PageScriptSource) {
        if (message == CloseMessage && OnCloseRequested)
            OnCloseRequested();
        return;
    }
    // What the page world's script did not catch (a promise's rejection) comes only as an error
    // message of the console, told from a script's own console.error by its wording.
    if (level == ErrorMessageLevel && message.startsWith(QLatin1String("Uncaught ")))
        ScriptError(message, line, 0, source);
}

// False stops the page's scripts for this document.
bool WebBrowserPage::ScriptError(const QString& message, int line, int column, const QString& url)
{
    if (!OnScriptError || OnScriptError(message, line, column, url))
        return true;
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    return false;
}

void WebBrowserPage::javaScriptAlert(const QUrl&, const QString& text)
{
    if (OnAlert)
        OnAlert(text);
}

bool WebBrowserPage::javaScriptConfirm(const QUrl&, const QString& text)
{
    if (text.startsWith(ScriptErrorPrefix)) {
        const QJsonArray error = QJsonDocument::fromJson(text.mid(ScriptErrorPrefix.size()).toUtf8()).array();
        return ScriptError(error.at(0).toString(), error.at(1).toInt(), error.at(2).toInt(), error.at(3).toString());
    }
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
