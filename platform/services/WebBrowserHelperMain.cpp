// qex-browser: the browser engine's helper process, started by the program's browser control
// with its end of a socket pair (--channel=N) and ended with the view it runs.
#include "platform/services/WebPageHelperLink.h"
#include <QApplication>
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

} // namespace

int main(int argc, char** argv)
{
    // Ended with the program, even when it can't close the channel (killed).
    const pid_t program = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int channel = ChannelArgument(argc, argv);
    if (channel < 0 || ::getppid() != program)
        return 2;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    WebPageHelperLink link(channel);
    return QApplication::exec();
}
