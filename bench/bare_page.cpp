// The floor of the table-show benchmark: a bare browser engine with the control's settings (no
// script, the same generic and named faces, software drawing without the toolkit's OpenGL set-up,
// the page's code page), in a window of the control's size, in a process of its own. It loads the
// page file it is given and writes "shown" when the page has reached its second animation frame;
// each line "again" on its input loads the page once more in the running view, and the end of its
// input ends it.
//
//   bench_bare_page PAGE STANDARD SANS SERIF FIXED [FACE=FAMILY...]
#include "platform/services/WebBrowserFaces.h"
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSocketNotifier>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>
#include <unistd.h>

namespace {

const QString kSecondFrame = QStringLiteral("qex-bare-second-frame");

void Configure(QWebEngineView& view, char** argv, int argc)
{
    using S = QWebEngineSettings;
    S* settings = view.page()->settings();
    settings->setAttribute(S::JavascriptEnabled, false);
    settings->setDefaultTextEncoding(QStringLiteral("windows-1252"));
    settings->setFontFamily(S::StandardFont, QString::fromLocal8Bit(argv[2]));
    settings->setFontFamily(S::SansSerifFont, QString::fromLocal8Bit(argv[3]));
    settings->setFontFamily(S::SerifFont, QString::fromLocal8Bit(argv[4]));
    settings->setFontFamily(S::FixedFont, QString::fromLocal8Bit(argv[5]));
    std::vector<std::pair<QString, QString>> faces;
    for (int i = 6; i < argc; ++i) {
        const QString pair = QString::fromLocal8Bit(argv[i]);
        faces.emplace_back(pair.section('=', 0, 0), pair.section('=', 1));
    }
    QWebEngineScript script;
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setSourceCode(QStringLiteral("(function () { var sheet = new CSSStyleSheet(); sheet.replaceSync(%1);"
                                        "  document.adoptedStyleSheets = [sheet]; })();")
                             .arg(QString::fromUtf8(QJsonDocument(QJsonArray{NamedFaceStyleSheet(faces)})
                                                        .toJson(QJsonDocument::Compact)
                                                        .mid(1)
                                                        .chopped(1))));
    view.page()->scripts().insert(script);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s PAGE STANDARD SANS SERIF FIXED [FACE=FAMILY...]\n", argv[0]);
        return 2;
    }
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QWebEngineView view;
    Configure(view, argv, argc);
    // From its file: content handed over as it stands goes through an address of its own, which
    // the engine reads slower than a file once the page is large.
    const QUrl page = QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1]));
    QObject::connect(view.page(), &QWebEnginePage::loadFinished, [&](bool) {
        view.page()->runJavaScript(QStringLiteral("requestAnimationFrame(function () { requestAnimationFrame("
                                                  "function () { document.title = '%1'; }); });")
                                       .arg(kSecondFrame),
                                   QWebEngineScript::ApplicationWorld);
    });
    QObject::connect(view.page(), &QWebEnginePage::titleChanged, [](const QString& title) {
        if (title == kSecondFrame) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
        }
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64];
        const ssize_t got = ::read(STDIN_FILENO, line, sizeof line);
        if (got <= 0) {
            QApplication::quit();
            return;
        }
        view.load(page);
    });
    view.resize(1000, 700);
    view.show();
    view.load(page);
    return QApplication::exec();
}
