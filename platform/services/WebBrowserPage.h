// The engine's page for the browser control: it loads only the page the control published, never
// follows a link or opens a window, and passes the host script's link reports on.
#pragma once
#include <QUrl>
#include <QWebEnginePage>
#include <functional>

class WebBrowserPage : public QWebEnginePage {
public:
    explicit WebBrowserPage(QObject* parent);
    ~WebBrowserPage() override;

    // Loads html (Windows-1252 bytes) in place of the current document.
    void LoadHtml(const QByteArray& html);

    std::function<void(const QString& href)> OnLinkActivated;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    QUrl FPageUrl;
};
