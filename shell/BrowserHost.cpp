#include "shell/BrowserHost.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/forms/Form.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/Registry.h"
#include "shell/ItemIdList.h"
#include <QApplication>
#include <QLocale>
#include <QUrl>
#include <QWidget>
#include <cfenv>

namespace {

constexpr DWORD kDownloadFlagValues[] = {
    0x10, 0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000, 0x4000, 0x8000,
    0x10000, 0x20000, 0x40000, 0x10000000, 0x20000000, 0x40000000, 0x80000000};
constexpr DWORD kUserInterfaceFlagValues[] = {
    0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000,
    0x4000, 0x10000, 0x20000};

const AnsiString kUserAgentKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
constexpr DWORD kHostInfoSize = 20;

// The floating-point state as the program started, restored when it ends and whenever
// fpExceptions is set again.
struct StartupFloatingPoint {
    std::fenv_t saved;
    StartupFloatingPoint() { std::fegetenv(&saved); }
    ~StartupFloatingPoint() { std::fesetenv(&saved); }
};
StartupFloatingPoint startupFloatingPoint;

// The desktop's browser of old read "&nbsp" without its ';' as a blank everywhere; the engine does
// only where today's rules allow (not before a letter or a digit). The pages keep their bytes;
// only what is shown here is mended.
AnsiString CloseBareNbsp(const AnsiString& html)
{
    static const AnsiString entity = "&nbsp";
    AnsiString out;
    out.reserve(html.size() + html.size() / 16);
    std::size_t from = 0;
    for (std::size_t at = html.find(entity); at != AnsiString::npos; at = html.find(entity, from)) {
        std::size_t end = at + entity.size();
        out.append(html, from, end - from);
        if (end >= html.size() || html[end] != ';')
            out += ';';
        from = end;
    }
    out.append(html, from, AnsiString::npos);
    return out;
}

// The sum of the platform values of the members set; values[i] belongs to member i.
template <typename E, std::size_t N>
DWORD FlagWord(TSet<E> options, const DWORD (&values)[N])
{
    DWORD flags = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (options.Contains(static_cast<E>(i)))
            flags += values[i];
    return flags;
}

bool IsRefreshCommand(DWORD command)
{
    return command == IDM_REFRESH || command == IDM_REFRESH_TOP || command == IDM_REFRESH_TOP_FULL;
}

} // namespace

DWORD DownloadControlFlags(TDownloadControlOptions options)
{
    return FlagWord(options, kDownloadFlagValues);
}

DWORD UserInterfaceFlags(TUserInterfaceOptions options)
{
    return FlagWord(options, kUserInterfaceFlagValues);
}

TBrowserHost::TBrowserHost(TComponent* owner) : TWebBrowser(owner)
{
    FDownloadOptions = {TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
                        TDownloadControlOption::DLCTL_BGSOUNDS};
    FUSMeasurement = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    RecomputeFlags();
}

TBrowserHost::~TBrowserHost()
{
    try {
        TRegistry registry;
        if (registry.OpenKey(kUserAgentKey, false))
            registry.DeleteValue(FUserAgent);
    } catch (const std::exception&) {
        // Registry failures are not the user's concern.
    }
}

void TBrowserHost::Loaded()
{
    RecomputeFlags();
    try {
        TRegistry registry;
        if (registry.OpenKey(kUserAgentKey, true))
            registry.WriteString(FUserAgent, AnsiString());
    } catch (const std::exception&) {
    }
}

void TBrowserHost::RecomputeFlags()
{
    FDownloadFlags = DownloadControlFlags(FDownloadOptions);
    FUIFlags = UserInterfaceFlags(FUserInterfaceOptions);
}

void TBrowserHost::SetDownloadOptions(TDownloadControlOptions options)
{
    FDownloadOptions = options;
    RecomputeFlags();
    AmbientPropertyChange();
}

void TBrowserHost::SetUserInterfaceOptions(TUserInterfaceOptions options)
{
    FUserInterfaceOptions = options;
    RecomputeFlags();
    AmbientPropertyChange();
}

void TBrowserHost::SetfpExceptions(bool enabled)
{
    FfpExceptions = enabled;
    if (enabled)
        std::fesetenv(&startupFloatingPoint.saved);
    else
        fedisableexcept(FE_ALL_EXCEPT);
}

HRESULT TBrowserHost::LoadHtmlFromStrings(const TStrings& lines)
{
    try {
        // Our control takes "about:blank" at once: a navigation refused by OnBeforeNavigate2
        // leaves no document, and the load below fails instead of waiting for one forever.
        if (!HasDocument())
            Navigate("about:blank");
        TMemoryStream stream;
        const AnsiString text = lines.Text();
        stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        return LoadHtmlFromStream(stream) == S_OK ? S_OK : 1;
    } catch (...) {
        return 1;
    }
}

HRESULT TBrowserHost::LoadHtmlFromStream(TStream& stream)
{
    if (!HasDocument())
        Navigate("about:blank");
    stream.SetPosition(0);
    AnsiString bytes(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    // Without a document the control still keeps the page for when it has an engine again.
    const HRESULT result = LoadDocument(CloseBareNbsp(bytes));
    if (result == E_NOINTERFACE)
        throw Exception("Interface not supported");
    return result;
}

HRESULT TBrowserHost::ShowContextMenu(DWORD id, TPoint* point, void* commandTarget, void* objectAtPoint)
{
    return OnShowContextMenu ? OnShowContextMenu(id, point, commandTarget, objectAtPoint) : S_FALSE;
}

HRESULT TBrowserHost::GetHostInfo(TDocHostUIInfo& info)
{
    info.cbSize = kHostInfoSize;
    info.dwFlags = FUIFlags;
    info.dwDoubleClick = 0;
    return OnGetHostInfo ? OnGetHostInfo(info) : S_OK;
}

HRESULT TBrowserHost::TranslateAccelerator(const TMsg& message, const void* commandGroup, DWORD commandId)
{
    return OnTranslateAccelerator ? OnTranslateAccelerator(&message, commandGroup, commandId) : S_FALSE;
}

// Backspace would leave the page, Enter belongs to the page's own links, and the plain arrow
// keys scroll: none of them goes to accelerator translation.
bool TBrowserHost::TranslatesKey(WORD virtualKey, bool extended) const
{
    if (virtualKey == VK_BACK || virtualKey == VK_RETURN)
        return false;
    return !((virtualKey == VK_LEFT || virtualKey == VK_RIGHT) && extended);
}

HRESULT TBrowserHost::ShowUI()
{
    return OnShowUI ? OnShowUI(0, nullptr, nullptr, nullptr, nullptr) : S_FALSE;
}

HRESULT TBrowserHost::HideUI() { return OnHideUI ? OnHideUI() : S_FALSE; }
HRESULT TBrowserHost::UpdateUI() { return OnUpdateUI ? OnUpdateUI() : S_FALSE; }

HRESULT TBrowserHost::OnDocWindowActivate(bool activate)
{
    return OnOnDocWindowActivate ? OnOnDocWindowActivate(activate) : S_FALSE;
}

HRESULT TBrowserHost::TranslateUrl(DWORD translate, const AnsiString& url, AnsiString& translated)
{
    return OnTranslateUrl ? OnTranslateUrl(translate, url, translated) : S_FALSE;
}

HRESULT TBrowserHost::GetOptionKeyPath(AnsiString& key, DWORD reserved)
{
    return OnGetOptionKeyPath ? OnGetOptionKeyPath(key, reserved) : S_FALSE;
}

HRESULT TBrowserHost::GetOverrideKeyPath(AnsiString& key, DWORD reserved)
{
    if (OnGetOverrideKeyPath)
        return OnGetOverrideKeyPath(key, reserved);
    key.clear();
    return S_OK;
}

HRESULT TBrowserHost::GetDropTarget(void* dropTarget, void*& replacement)
{
    replacement = nullptr;
    return OnGetDropTarget ? OnGetDropTarget(dropTarget, replacement) : S_OK;
}

HRESULT TBrowserHost::GetExternal(void*& dispatch)
{
    dispatch = nullptr;
    return OnGetExternal ? OnGetExternal(dispatch) : S_FALSE;
}

HRESULT TBrowserHost::FilterDataObject(void* dataObject, void*& replacement)
{
    replacement = nullptr;
    return OnFilterDataObject ? OnFilterDataObject(dataObject, replacement) : S_FALSE;
}

HRESULT TBrowserHost::EnableModeless(bool enable)
{
    return OnEnableModeless ? OnEnableModeless(enable) : S_FALSE;
}

HRESULT TBrowserHost::OnFrameWindowActivate(bool activate)
{
    return OnOnFrameWindowActivate ? OnOnFrameWindowActivate(activate) : S_FALSE;
}

HRESULT TBrowserHost::ResizeBorder(const TRect* border, void* uiWindow, bool frameWindow)
{
    return OnResizeBorder ? OnResizeBorder(border, uiWindow, frameWindow) : S_FALSE;
}

HRESULT TBrowserHost::ShowMessage(HWND window, const AnsiString& text, const AnsiString& caption, DWORD type,
                                  const AnsiString& helpFile, DWORD helpContext, LRESULT& result)
{
    return OnShowMessage ? OnShowMessage(window, text, caption, type, helpFile, helpContext, result) : S_FALSE;
}

// There is no HTML Help viewer to hand HelpFile to: without a handler the control's own help
// shows, as it does without a HelpFile.
HRESULT TBrowserHost::ShowHelp(HWND window, const AnsiString& helpFile, UINT command, DWORD data, TPoint mouse,
                               void* objectHit)
{
    return OnShowHelp ? OnShowHelp(window, helpFile, command, data, mouse, objectHit) : S_FALSE;
}

HRESULT TBrowserHost::GetTypeInfoCount(int& count)
{
    count = 0;
    return OnGetTypeInfoCount ? OnGetTypeInfoCount(count) : E_NOTIMPL;
}

HRESULT TBrowserHost::GetTypeInfo(int index, int localeId, void*& typeInfo)
{
    typeInfo = nullptr;
    return OnGetTypeInfo ? OnGetTypeInfo(index, localeId, typeInfo) : E_NOTIMPL;
}

HRESULT TBrowserHost::GetIDsOfNames(const void* iid, void* names, int nameCount, int localeId, void* dispIds)
{
    return OnGetIDsOfNames ? OnGetIDsOfNames(iid, names, nameCount, localeId, dispIds) : E_NOTIMPL;
}

HRESULT TBrowserHost::Invoke(int dispId, const void* iid, int localeId, WORD flags, void* params, int* result,
                             void* exceptionInfo, void* argumentError)
{
    if (dispId == DISPID_AMBIENT_DLCONTROL && (flags & DISPATCH_PROPERTYGET) && result) {
        *result = static_cast<int>(FDownloadFlags);
        return S_OK;
    }
    if (OnInvoke)
        return OnInvoke(dispId, iid, localeId, flags, params, result, exceptionInfo, argumentError);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT TBrowserHost::QueryService(const void* service, const void* iid, void*& object)
{
    object = nullptr;
    return OnQueryService ? OnQueryService(service, iid, object) : E_NOINTERFACE;
}

HRESULT TBrowserHost::QueryStatus(TCommandGroup, DWORD)
{
    return S_OK;
}

HRESULT TBrowserHost::Exec(TCommandGroup group, DWORD command, bool* result)
{
    switch (group) {
    case TCommandGroup::None:
        return OLECMDERR_E_UNKNOWNGROUP;
    case TCommandGroup::Explorer:
        if (command == SHDVID_UNLOAD && OnUnload)
            OnUnload(this);
        return OLECMDERR_E_NOTSUPPORTED;
    case TCommandGroup::DocHostCommandHandler:
        if (IsRefreshCommand(command) && OnRefresh) {
            bool cancel = false;
            OnRefresh(this, command, cancel);
            return cancel ? S_OK : OLECMDERR_E_NOTSUPPORTED;
        }
        if (command == OLECMDID_SHOWSCRIPTERROR && OnScriptError)
            return ReportScriptError(result);
        return OLECMDERR_E_NOTSUPPORTED;
    default:
        return OLECMDERR_E_NOTSUPPORTED;
    }
}

// The error's details come from the window event of the error, read by name as text.
HRESULT TBrowserHost::ReportScriptError(bool* continueScript)
{
    const TScriptErrorEvent* event = ScriptErrorEvent();
    if (!event)
        return OLECMDERR_E_NOTSUPPORTED;
    bool goOn = true;
    bool showDialog = true;
    OnScriptError(this, event->Property("errorline"), event->Property("errorCharacter"), event->Property("errorCode"),
                  event->Property("errorMessage"), event->Property("errorUrl"), goOn, showDialog);
    if (continueScript)
        *continueScript = goOn;
    return showDialog ? OLECMDERR_E_NOTSUPPORTED : S_OK;
}

bool TBrowserHost::CanClose()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

// The control's own dialogs carry the program's name and icon when ReplaceCaption is set.
void TBrowserHost::DialogActivated(QWidget* dialog)
{
    if (FReplaceCaption) {
        if (auto* form = dynamic_cast<TForm*>(TControl::FromWidget(dialog)))
            form->SetCaption(Application->Title());
        else
            dialog->setWindowTitle(ToQString(Application->Title()));
        dialog->setWindowIcon(QApplication::windowIcon());
    }
    if (OnShowDialog)
        OnShowDialog(this, reinterpret_cast<HWND>(dialog));
}

void TBrowserHost::NavigateItemIdList(const ITEMIDLIST* list)
{
    // The control is given its own copy of the list, as the platform's navigation copies it into
    // a byte array.
    std::unique_ptr<ITEMIDLIST, void (*)(ITEMIDLIST*)> copy(CopyItemIdList(list), FreeItemIdList);
    const AnsiString path = ItemIdListPath(copy.get());
    if (!path.empty())
        Navigate(FromQString(QUrl::fromLocalFile(ToQString(path)).toString(QUrl::FullyEncoded)), TShellSource::Local);
}
