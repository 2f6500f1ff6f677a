// qex-browser: the browser engine's helper process, started by the program's browser control
// with its end of a socket pair (--channel=N) and ended with the view it runs.
#include "platform/services/WebPageHelperLink.h"
#include <QApplication>
#include <QQuickWindow>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

int ChannelArgument(int argc, char** argv)
{
    constexpr const char* kOption = "--channel=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0)
            return std::atoi(argv[i] + std::strlen(kOption));
    return -1;
}

// The engine draws in software, yet the toolkit's X11 OpenGL set-up loads the system's OpenGL
// driver (with its compiler, some 60-130 ms of a start): the helper goes without it, and the
// toolkit's and the engine's notes that no OpenGL context can be made are expected.
void GoWithoutOpenGL()
{
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL context")) ||
            message.startsWith(QLatin1String("No suitable graphics backend found")))
            return;
        previous(type, context, message);
    });
}

} // namespace

int main(int argc, char** argv)
{
    // Ended with the program, even when it can't close the channel (killed).
    const pid_t program = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int channel = ChannelArgument(argc, argv);
    if (channel < 0 || ::getppid() != program)
        return 2;
    GoWithoutOpenGL();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    WebPageHelperLink link(channel);
    return QApplication::exec();
}
