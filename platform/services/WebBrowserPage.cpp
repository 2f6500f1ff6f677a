#include "platform/services/WebBrowserPage.h"
#include "platform/services/WebBrowserProfile.h"

WebBrowserPage::WebBrowserPage(QObject* parent) : QWebEnginePage(WebBrowserProfile(), parent) {}

WebBrowserPage::~WebBrowserPage()
{
    WithdrawPage(FPageUrl);
}

void WebBrowserPage::LoadHtml(const QByteArray& html)
{
    FPageUrl = PublishPage(html, FPageUrl);
    load(FPageUrl);
}

// Links are the host script's to report; a link that still gets here (the script could not
// catch it) is refused all the same. Only our own loads of the published page pass.
bool WebBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    return isMainFrame && type != NavigationTypeLinkClicked && url == FPageUrl;
}

void WebBrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                              const QString& source)
{
    if (source == HostScriptSource && message.startsWith(LinkMessagePrefix) && OnLinkActivated)
        OnLinkActivated(message.mid(LinkMessagePrefix.size()));
}

QWebEnginePage* WebBrowserPage::createWindow(WebWindowType)
{
    return nullptr;
}
