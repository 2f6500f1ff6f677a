// The engine's page for the browser control: it loads only the page the control published, never
// follows a link or opens a window, passes the host script's link reports on, and hands a page
// script's boxes and errors to the control.
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
    // Whether page scripts run, from now on and in every document loaded after.
    void SetScripts(bool allowed);

    std::function<void(const QString& href)> OnLinkActivated;
    std::function<void(const QString& text)> OnAlert;
    std::function<bool(const QString& text)> OnConfirm;
    std::function<bool(const QString& text, const QString& defaultValue, QString& answer)> OnPrompt;
    std::function<bool(const QString& message, int line, int column, const QString& url)> OnScriptError;
    std::function<void()> OnCloseRequested;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;
    void javaScriptAlert(const QUrl& origin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& defaultValue,
                          QString* answer) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    bool ScriptError(const QString& message, int line, int column, const QString& url);

    QUrl FPageUrl;
    bool FScripts = false;
};
