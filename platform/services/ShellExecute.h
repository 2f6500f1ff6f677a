// ShellExecute "Open": programs start detached (fork and exec, no shell between), documents,
// folders and addresses open through the desktop (xdg-open). Results follow the platform:
// above 32 on success, an error code of 32 or less on failure.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/messages/Messages.h"
#include <functional>

// Show commands as the platform numbers them; programs and the desktop choose their own windows.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

constexpr int SE_ERR_FNF = 2;           // file not found
constexpr int SE_ERR_PNF = 3;           // folder not found
constexpr int SE_ERR_ACCESSDENIED = 5;  // also: a network string that is no web or mail address
constexpr int SE_ERR_OOM = 8;
constexpr int ERROR_BAD_FORMAT = 11;    // not a program the system can run
constexpr int SE_ERR_NOASSOC = 31;      // no way to carry out the verb
constexpr int SHELL_EXECUTE_OK = 42;

// Where the file string came from. Strings from the network open only as http, https or
// mailto addresses; anything else is refused with SE_ERR_ACCESSDENIED.
enum class TShellSource { Local, Network };

// `file` may carry one pair of surrounding double quotes. A local file is a path (a name without
// '/' is looked up in PATH as a program) or an address with a scheme ("http:", "mailto:", ...).
// Executable files are started with `parameters` split at blanks ("..." groups) in `directory`
// (empty: the current folder); other files, folders and addresses go to the desktop's opener.
int ShellExecute(HWND window, const AnsiString& operation, const AnsiString& file,
                 const AnsiString& parameters, const AnsiString& directory, int showCommand,
                 TShellSource source = TShellSource::Local);

// Opens a document or folder (an absolute path) or an address (with its scheme) on the desktop;
// false when nothing could take it. Tests install a recorder; an empty one restores xdg-open.
using TDesktopOpener = std::function<bool(const AnsiString& target)>;
void SetDesktopOpener(TDesktopOpener opener);
