#include "platform/services/ShellExecute.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include "platform/services/DetachedProcess.h"
#include "platform/forms/QtText.h"
#include <QDesktopServices>
#include <QUrl>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TDesktopOpener installedOpener;

AnsiString StripOuterQuotes(const AnsiString& text)
{
    AnsiString trimmed = Trim(text);
    if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"')
        return trimmed.substr(1, trimmed.size() - 2);
    return trimmed;
}

// A scheme of two or more characters, so that "C:\..." is not taken for an address.
bool HasScheme(const AnsiString& text)
{
    std::size_t colon = text.find(':');
    if (colon == AnsiString::npos || colon < 2)
        return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool IsWebOrMailAddress(const AnsiString& text)
{
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F)
            return false;
    if (!HasScheme(text))
        return false;
    QUrl url(ToQString(text), QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return false;
}

// Blanks separate arguments; double quotes group blanks into one and are dropped.
std::vector<std::string> SplitParameters(const AnsiString& parameters)
{
    std::vector<std::string> arguments;
    AnsiString current;
    bool quoted = false;
    bool pending = false;
    for (char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            pending = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (pending)
                arguments.push_back(ToSystemPath(current));
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        arguments.push_back(ToSystemPath(current));
    return arguments;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A program name without '/' is looked up in PATH, as a shell would.
std::string FindInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return std::string();
}

int ErrnoToShellError(int error)
{
    switch (error) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN: return SE_ERR_OOM;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    default: return SE_ERR_NOASSOC;
    }
}

bool OpenOnDesktop(const AnsiString& target)
{
    if (installedOpener)
        return installedOpener(target);
    bool isPath = !target.empty() && target[0] == '/';
    std::string argument = isPath
        ? ToSystemPath(target)
        : QUrl(ToQString(target), QUrl::TolerantMode).toEncoded().toStdString();
    std::string opener = FindInPath("xdg-open");
    if (!opener.empty())
        return StartDetached(opener, {argument}, std::string()) == 0;
    return QDesktopServices::openUrl(isPath ? QUrl::fromLocalFile(QString::fromStdString(argument))
                                            : QUrl::fromEncoded(QByteArray::fromStdString(argument)));
}

int OpenTarget(const AnsiString& target)
{
    return OpenOnDesktop(target) ? SHELL_EXECUTE_OK : SE_ERR_NOASSOC;
}

std::string AbsolutePath(const std::string& path, const std::string& directory)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::string base = directory;
    if (base.empty()) {
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer))
            base = buffer;
    }
    if (base.empty() || base.back() != '/')
        base += '/';
    return base + path;
}

int OpenLocalFile(const AnsiString& file, const AnsiString& parameters, const AnsiString& directory)
{
    const std::string native = ToSystemPath(file);
    const std::string folder = ToSystemPath(directory);
    if (native.find('/') == std::string::npos) {
        std::string program = FindInPath(native);
        if (!program.empty()) {
            int error = StartDetached(program, SplitParameters(parameters), folder);
            return error == 0 ? SHELL_EXECUTE_OK : ErrnoToShellError(error);
        }
        // Not a program in PATH: a file of that name in the folder.
    }
    const std::string path = AbsolutePath(native, folder);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return ErrnoToShellError(errno);
    if (IsExecutableFile(path)) {
        int error = StartDetached(path, SplitParameters(parameters), folder);
        return error == 0 ? SHELL_EXECUTE_OK : ErrnoToShellError(error);
    }
    return OpenTarget(FromSystemPath(path));
}

} // namespace

int ShellExecute(HWND, const AnsiString& operation, const AnsiString& file, const AnsiString& parameters,
                 const AnsiString& directory, int, TShellSource source)
{
    if (!operation.empty() && !SameText(operation, "open"))
        return SE_ERR_NOASSOC;
    const AnsiString target = StripOuterQuotes(file);
    if (target.empty())
        return SE_ERR_FNF;
    if (source == TShellSource::Network)
        return IsWebOrMailAddress(target) ? OpenTarget(target) : SE_ERR_ACCESSDENIED;
    if (HasScheme(target))
        return OpenTarget(target);
    return OpenLocalFile(target, parameters, directory);
}

void SetDesktopOpener(TDesktopOpener opener)
{
    installedOpener = std::move(opener);
}
