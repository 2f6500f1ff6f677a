#include "platform/services/WebBrowserProfile.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QQuickWindow>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QUuid>
#include <map>
#include <unistd.h>

const QString HostScriptSource = QStringLiteral("userscript:qexlinks");
const QString LinkMessagePrefix = QStringLiteral("qex-link:");
const QString PageScriptSource = QStringLiteral("userscript:qexpage");
const QString CloseMessage = QStringLiteral("qex-close");
// With a mark no page can know, so that a page's own confirm is never taken for an error.
const QString ScriptErrorPrefix = QStringLiteral("qex-script-error:%1:").arg(QUuid::createUuid().toString(QUuid::Id128));

namespace {

const QByteArray kScheme = "qexpage";

// Runs in the isolated world of our own scripts, which the engine runs although page scripts are
// off. It sees every activation of a link (click, middle click, Enter on a focused link) before
// the page does, keeps the engine from following it, and reports the target exactly as written.
// It also keeps Tab off the links that show nothing.
// A target starting with '#' would otherwise be a same-document navigation that the page's
// navigation check never hears of.
const QString kHostScript = QStringLiteral(R"(
(function () {
  function report(event) {
    if (event.type === 'auxclick' && event.button !== 1)
      return;
    for (var node = event.target; node; node = node.parentNode) {
      if (node.nodeType === 1 && node.localName === 'a' && node.hasAttribute('href')) {
        event.preventDefault();
        console.log('%1' + node.getAttribute('href'));
        return;
      }
    }
  }
  window.addEventListener('click', report, true);
  window.addEventListener('auxclick', report, true);
  // A link with nothing to read or see (an empty cell's) takes no Tab.
  document.addEventListener('DOMContentLoaded', function () {
    var links = document.querySelectorAll('a[href]');
    for (var i = 0; i < links.length; ++i)
      if (!links[i].textContent.trim() && !links[i].querySelector('img') && !links[i].hasAttribute('tabindex'))
        links[i].tabIndex = -1;
  });
})();
)").arg(LinkMessagePrefix);

// Runs in the page's own world before its scripts, where they may run. The engine tells of an
// uncaught error only after the page has gone on, and without its column: here the error is
// asked about while the page waits (the box's answer is whether the scripts go on), and a "no"
// forbids every later script block of the document before the parser reaches it; the control
// switches the scripts off for the rest. A close of the window is only reported, so that the
// page is not left closing for good when the container keeps it: every later close is asked
// again. What it uses is taken before a page script could replace it.
const QString kPageScript = QStringLiteral(R"(
(function () {
  var apply = Reflect.apply, ask = window.confirm, log = console.log, encode = JSON.stringify;
  var ErrorEventType = window.ErrorEvent, create = Document.prototype.createElement;
  var append = Node.prototype.appendChild;
  function forbidScripts() {
    var policy = apply(create, document, ['meta']);
    policy.httpEquiv = 'Content-Security-Policy';
    policy.content = "script-src 'none'";
    apply(append, document.head || document.documentElement, [policy]);
  }
  window.addEventListener('error', function (event) {
    if (!(event instanceof ErrorEventType))
      return;
    event.preventDefault();
    var report = encode([String(event.message), event.lineno, event.colno, String(event.filename)]);
    if (!apply(ask, window, ['%1' + report]))
      forbidScripts();
  });
  window.close = function () { apply(log, console, ['%2']); };
})();
)").arg(ScriptErrorPrefix, CloseMessage);

// Pages are served as the bytes the program built, in their own code page; nothing else exists
// under the scheme.
class PageServer : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    QUrl Publish(const QByteArray& html, const QUrl& replaced)
    {
        FPages.erase(replaced.toString());
        const QUrl url(QString::fromLatin1(kScheme) + "://pages/" + QString::number(++FSerial));
        FPages[url.toString()] = html;
        return url;
    }
    void Withdraw(const QUrl& url) { FPages.erase(url.toString()); }

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const auto page = FPages.find(job->requestUrl().toString());
        if (page == FPages.end()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* body = new QBuffer(job);
        body->setData(page->second);
        body->open(QIODevice::ReadOnly);
        job->reply("text/html;charset=windows-1252", body);
    }

private:
    std::map<QString, QByteArray> FPages;
    quint64 FSerial = 0;
};

// Text from the listings ends up in the pages: whatever it names, nothing is fetched.
class NetworkBlocker : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (info.requestUrl().scheme().toLatin1() != kScheme)
            info.block(true);
    }
};

void AppendChromiumFlag(const char* flag)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(flag))
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags.isEmpty() ? flags : flags + ' ') + flag);
}

// Must all happen before the engine starts. The pages are plain tables: software rendering
// draws them fast enough everywhere and works without a graphics processor (virtual displays,
// the offscreen platform). The engine's sandbox refuses to start as root, so there alone it is
// off; what is left to contain then is the engine's parsing of our own pages, which run no
// script and reach nothing outside.
void PrepareEngine()
{
    AppendChromiumFlag("--disable-gpu");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // The engine describes its graphics set-up on every start; QT_LOGGING_RULES still wins.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QWebEngineUrlScheme scheme(kScheme);
    // With a host every page has one origin, and the engine keeps one page process for them all;
    // a scheme of paths alone gives each page an origin of its own, and a new process.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

// A script of our own, run in the top document as it is made; its console messages come from
// `source`.
QWebEngineScript OwnScript(const QString& source, QWebEngineScript::ScriptWorldId world, const QString& code)
{
    QWebEngineScript script;
    script.setName(source.section(':', 1));
    script.setWorldId(world);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(code);
    return script;
}

void SwitchOff(QWebEngineSettings* settings)
{
    using S = QWebEngineSettings;
    for (S::WebAttribute attribute :
         {S::JavascriptEnabled, S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard, S::PluginsEnabled,
          S::LocalContentCanAccessRemoteUrls, S::LocalContentCanAccessFileUrls, S::ErrorPageEnabled,
          S::WebGLEnabled, S::Accelerated2dCanvasEnabled, S::AutoLoadIconsForPage, S::TouchIconsEnabled,
          S::HyperlinkAuditingEnabled, S::DnsPrefetchEnabled, S::PdfViewerEnabled, S::NavigateOnDropEnabled,
          S::ScreenCaptureEnabled})
        settings->setAttribute(attribute, false);
}

QPointer<QWebEngineProfile> profile;
QPointer<PageServer> server;
int pagesUsingProfile = 0;

QWebEngineProfile* MakeProfile()
{
    static const bool prepared = (PrepareEngine(), true);
    (void)prepared;
    // Off the record: nothing the engine keeps reaches the disk.
    auto* made = new QWebEngineProfile(QCoreApplication::instance());
    made->setHttpCacheType(QWebEngineProfile::NoCache);
    made->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    made->setSpellCheckEnabled(false);
    server = new PageServer(made);
    made->installUrlSchemeHandler(kScheme, server);
    made->setUrlRequestInterceptor(new NetworkBlocker(made));
    made->scripts()->insert(OwnScript(HostScriptSource, QWebEngineScript::ApplicationWorld, kHostScript));
    made->scripts()->insert(OwnScript(PageScriptSource, QWebEngineScript::MainWorld, kPageScript));
    SwitchOff(made->settings());
    return made;
}

} // namespace

QWebEngineProfile* AcquireWebBrowserProfile()
{
    if (!profile)
        profile = MakeProfile();
    ++pagesUsingProfile;
    return profile;
}

// The engine keeps its page processes while a profile with pages exists; once the last page is
// gone the profile goes too, and the processes end with it.
void ReleaseWebBrowserProfile()
{
    if (--pagesUsingProfile > 0 || !profile)
        return;
    profile->deleteLater();
    profile = nullptr;
}

QUrl PublishPage(const QByteArray& html, const QUrl& replaced)
{
    return server ? server->Publish(html, replaced) : QUrl();
}

void WithdrawPage(const QUrl& url)
{
    if (server)
        server->Withdraw(url);
}
