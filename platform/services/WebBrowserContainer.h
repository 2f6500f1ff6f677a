// What the browser control and its container say to each other: result codes, the flags of the
// host's answers and message boxes, a recorded key message, command groups and the window event
// of a script error.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/WinControl.h"
#include <cstdint>

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT OLECMDERR_E_NOTSUPPORTED = static_cast<HRESULT>(0x80040100u);
constexpr HRESULT OLECMDERR_E_UNKNOWNGROUP = static_cast<HRESULT>(0x80040104u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr int DISPID_AMBIENT_DLCONTROL = -5512;
constexpr WORD DISPATCH_PROPERTYGET = 2;

// Message box types and answers, as the container's ShowMessage gets and gives them.
constexpr DWORD MB_OK = 0x0;
constexpr DWORD MB_OKCANCEL = 0x1;
constexpr DWORD MB_ICONQUESTION = 0x20;
constexpr DWORD MB_ICONWARNING = 0x30;
constexpr LRESULT IDOK = 1;
constexpr LRESULT IDCANCEL = 2;

constexpr int READYSTATE_UNINITIALIZED = 0;
constexpr int READYSTATE_LOADING = 1;
constexpr int READYSTATE_COMPLETE = 4;
constexpr DWORD CONTEXT_MENU_DEFAULT = 0;
constexpr DWORD CONTEXT_MENU_ANCHOR = 5;
constexpr DWORD DOCHOSTUIFLAG_NO3DBORDER = 0x4;
constexpr DWORD DOCHOSTUIFLAG_SCROLL_NO = 0x8;

// What the control tells its container about itself, filled by the container.
struct TDocHostUIInfo {
    DWORD cbSize = 0;
    DWORD dwFlags = 0;
    DWORD dwDoubleClick = 0;
};

// A key message as the platform records it, for accelerator translation.
struct TMsg {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    TPoint pt;
};

// Command groups of the container's command target.
enum class TCommandGroup { None, Explorer, DocHostCommandHandler, Other };
constexpr DWORD IDM_REFRESH = 2300;
constexpr DWORD IDM_REFRESH_TOP = 6041;      // the top frame
constexpr DWORD IDM_REFRESH_TOP_FULL = 6042; // the top frame past the cache
constexpr DWORD SHDVID_UNLOAD = 37;
constexpr DWORD OLECMDID_SHOWSCRIPTERROR = 40;
constexpr UINT HELP_CONTEXT = 0x1;

// The window event of a script error while the container is asked about it; its properties are
// read by name, as text.
class TScriptErrorEvent {
public:
    TScriptErrorEvent(int line, int column, AnsiString message, AnsiString url)
        : FLine(line), FColumn(column), FMessage(std::move(message)), FUrl(std::move(url)) {}
    // "errorLine", "errorCharacter", "errorCode", "errorMessage", "errorUrl" in any case; raises
    // "'name' not supported." for any other name.
    AnsiString Property(const AnsiString& name) const;

private:
    int FLine;
    int FColumn; // from 1; 0 when the engine did not tell
    AnsiString FMessage;
    AnsiString FUrl;
};
