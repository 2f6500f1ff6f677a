// The engine's set-up for the browser control, made when the first view is: software rendering,
// the sandbox, our own page scheme (once per program), a profile that keeps nothing on disk and
// reaches no network, and the host script that reports link activations.
#pragma once
#include <QByteArray>
#include <QString>
#include <QUrl>

class QWebEngineProfile;

// The profile every view's page uses, made for the first page; each page that acquired it
// releases it, and the last release frees it.
QWebEngineProfile* AcquireWebBrowserProfile();
void ReleaseWebBrowserProfile();

// The page as the engine asks for it at url; publishing a page withdraws the one it replaces.
QUrl PublishPage(const QByteArray& html, const QUrl& replaced);
void WithdrawPage(const QUrl& url);

// Console messages of the host script come from this source, with this prefix before a link's
// raw target; page scripts are off, so nothing else can write them.
extern const QString HostScriptSource;
extern const QString LinkMessagePrefix;

// The page world's own script: a close of the window comes as this console message from this
// source, an uncaught error as a confirm whose text is this prefix and the JSON array [message,
// line, column, url], the answer being whether the page's scripts go on.
extern const QString PageScriptSource;
extern const QString CloseMessage;
extern const QString ScriptErrorPrefix;
