#include "platform/services/WebBrowserEngine.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>
#include <QtDebug>

namespace {

constexpr const char* kModuleName = "libqex_webbrowser.so";

// Beside the program, in the build's library folder beside its bin folder, or where the build
// put it (tests and copies of the program started from elsewhere).
QStringList ModuleCandidates()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + "/" + kModuleName, programFolder + "/../lib/" + kModuleName,
            QStringLiteral(QEX_WEBBROWSER_MODULE)};
}

// At loading, the engine warns that it was not set up before the application was made. That
// set-up makes a graphics context at every start of the program, the very cost that loading the
// engine late avoids; the pages are drawn in software and need no such context.
const char* const kLateLoadWarning = "Qt WebEngine seems to be initialized from a plugin";
QtMessageHandler previousHandler = nullptr;

void DropLateLoadWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String(kLateLoadWarning)))
        previousHandler(type, context, message);
}

CreateWebPageViewFunction LoadEntry()
{
    QStringList failures;
    for (const QString& candidate : ModuleCandidates()) {
        if (!QFileInfo::exists(candidate))
            continue;
        QLibrary module(candidate);
        previousHandler = qInstallMessageHandler(DropLateLoadWarning);
        const bool loaded = module.load();
        qInstallMessageHandler(previousHandler);
        if (!loaded) {
            failures << module.errorString();
            continue;
        }
        if (auto entry = reinterpret_cast<CreateWebPageViewFunction>(module.resolve(QEX_WEB_PAGE_VIEW_ENTRY)))
            return entry; // the module stays loaded for the program's life
        failures << module.errorString();
    }
    qWarning().noquote() << "The browser engine could not be loaded:"
                         << (failures.isEmpty() ? QStringLiteral("no module found") : failures.join("; "));
    return nullptr;
}

} // namespace

std::unique_ptr<WebPageView> CreateWebPageView(QWidget* parent, WebPageEvents events)
{
    static const CreateWebPageViewFunction entry = LoadEntry();
    if (!entry)
        return nullptr;
    return std::unique_ptr<WebPageView>(entry(parent, std::move(events)));
}
