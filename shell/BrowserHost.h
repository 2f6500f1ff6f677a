// TBrowserHost: the browser control as this program hosts it. It loads pages from text lines,
// answers the browser's questions to its container through events (each with a fixed default
// when unassigned), keeps Backspace, Enter and the left and right arrows away from accelerator
// translation, and keeps a registry value while it exists. What only the Windows shell can do
// (its DDE explore and find requests, HTML Help) is not here.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/Set.h"
#include "platform/services/PrinterOrientation.h"
#include "platform/services/WebBrowser.h"

class TStream;
struct ITEMIDLIST;

enum class TDownloadControlOption {
    DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS, DLCTL_NO_SCRIPTS, DLCTL_NO_JAVA,
    DLCTL_NO_RUNACTIVEXCTLS, DLCTL_NO_DLACTIVEXCTLS, DLCTL_DOWNLOADONLY, DLCTL_NO_FRAMEDOWNLOAD,
    DLCTL_RESYNCHRONIZE, DLCTL_PRAGMA_NO_CACHE, DLCTL_NO_BEHAVIORS, DLCTL_NO_METACHARSET,
    DLCTL_URL_ENCODING_DISABLE_UTF8, DLCTL_URL_ENCODING_ENABLE_UTF8, DLCTL_FORCEOFFLINE,
    DLCTL_NO_CLIENTPULL, DLCTL_SILENT, DLCTL_OFFLINE
};
using TDownloadControlOptions = TSet<TDownloadControlOption>;

enum class TUserInterfaceOption {
    DIALOG, DISABLE_HELP_MENU, NO3DBORDER, SCROLL_NO, DISABLE_SCRIPT_INACTIVE, OPENNEWWIN,
    DISABLE_OFFSCREEN, FLAT_SCROLLBAR, DIV_BLOCKDEFAULT, ACTIVATE_CLIENTHIT_ONLY,
    OVERRIDEBEHAVIORFACTORY, CODEPAGELINKEDFONTS, URL_ENCODING_DISABLE_UTF8,
    URL_ENCODING_ENABLE_UTF8, ENABLE_FORMS_AUTOCOMPLETE, ENABLE_INPLACE_NAVIGATION,
    IME_ENABLE_RECONVERSION
};
using TUserInterfaceOptions = TSet<TUserInterfaceOption>;

// The platform's flag words: the sums of the values of the members set.
DWORD DownloadControlFlags(TDownloadControlOptions options);
DWORD UserInterfaceFlags(TUserInterfaceOptions options);


struct TMargins {
    double Left = 0;
    double Right = 0;
    double Top = 0;
    double Bottom = 0;
};

// Kept for the page set-up; nothing in this program prints from the browser.
class TPrintOptions : public TObject {
public:
    TPrintOptions() { HTMLHeader.Add("<HTML></HTML>"); }
    TMargins Margins;
    AnsiString Header;
    TStringList HTMLHeader;
    AnsiString Footer;
    TPrinterOrientation Orientation = poPortrait;
};

class TBrowserHost : public TWebBrowser {
public:
    explicit TBrowserHost(TComponent* owner);
    ~TBrowserHost() override;
    // Called once the owner has set the properties: recomputes the flag words and writes the
    // user-agent registry value.
    void Loaded();

    // 0 (S_OK) when the lines (each followed by CR LF) are shown; 1 when anything failed, and
    // the page shown before stays.
    HRESULT LoadHtmlFromStrings(const TStrings& lines);
    // The stream's bytes from its start as the current document; raises without a document.
    HRESULT LoadHtmlFromStream(TStream& stream);
    void NavigateUrl(const AnsiString& URL) { Navigate(URL); }
    // Navigates to the path the list names (see ItemIdList.h); a list naming no path goes nowhere.
    void NavigateItemIdList(const ITEMIDLIST* list);

    TDownloadControlOptions DownloadOptions() const { return FDownloadOptions; }
    void SetDownloadOptions(TDownloadControlOptions options);
    TUserInterfaceOptions UserInterfaceOptions() const { return FUserInterfaceOptions; }
    void SetUserInterfaceOptions(TUserInterfaceOptions options);
    DWORD DownloadFlags() const { return FDownloadFlags; }
    DWORD UIFlags() const { return FUIFlags; }
    const AnsiString& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const AnsiString& file) { FHelpFile = file; }
    TPrintOptions* PrintOptions() { return &FPrintOptions; }
    const AnsiString& UserAgent() const { return FUserAgent; }
    void SetUserAgent(const AnsiString& agent) { FUserAgent = agent; }
    bool ReplaceCaption() const { return FReplaceCaption; }
    void SetReplaceCaption(bool replace) { FReplaceCaption = replace; }
    bool EnableDDE() const { return FEnableDDE; }
    void SetEnableDDE(bool enable) { FEnableDDE = enable; }
    // True restores the floating-point state saved at start; False masks every exception.
    bool fpExceptions() const { return FfpExceptions; }
    void SetfpExceptions(bool enabled);
    // Whether the user's locale measures in U.S. units.
    bool USMeasurement() const { return FUSMeasurement; }

    // The container's interfaces; the control calls them as a document host would be called.
    HRESULT GetOptionKeyPath(AnsiString& key, DWORD reserved);
    HRESULT GetOverrideKeyPath(AnsiString& key, DWORD reserved);
    HRESULT GetDropTarget(void* dropTarget, void*& replacement) override;
    HRESULT GetExternal(void*& dispatch);
    HRESULT FilterDataObject(void* dataObject, void*& replacement) override;
    HRESULT EnableModeless(bool enable) override;
    HRESULT OnFrameWindowActivate(bool activate) override;
    HRESULT ResizeBorder(const TRect* border, void* uiWindow, bool frameWindow) override;
    HRESULT ShowMessage(HWND window, const AnsiString& text, const AnsiString& caption, DWORD type,
                        const AnsiString& helpFile, DWORD helpContext, LRESULT& result) override;
    HRESULT ShowHelp(HWND window, const AnsiString& helpFile, UINT command, DWORD data, TPoint mouse,
                     void* objectHit) override;
    HRESULT GetTypeInfoCount(int& count);
    HRESULT GetTypeInfo(int index, int localeId, void*& typeInfo);
    HRESULT GetIDsOfNames(const void* iid, void* names, int nameCount, int localeId, void* dispIds);
    HRESULT Invoke(int dispId, const void* iid, int localeId, WORD flags, void* params, int* result,
                   void* exceptionInfo, void* argumentError) override;
    HRESULT QueryService(const void* service, const void* iid, void*& object);
    HRESULT QueryStatus(TCommandGroup group, DWORD command);
    HRESULT Exec(TCommandGroup group, DWORD command, bool* result = nullptr) override;

    std::function<void(TObject* Sender, DWORD CmdID, bool& Cancel)> OnRefresh;
    std::function<void(TObject* Sender, const AnsiString& ErrorLine, const AnsiString& ErrorCharacter,
                       const AnsiString& ErrorCode, const AnsiString& ErrorMessage, const AnsiString& ErrorUrl,
                       bool& ContinueScript, bool& Showdialog)> OnScriptError;
    TNotifyEvent OnUnload;
    std::function<HRESULT(AnsiString& pchKey, DWORD dw)> OnGetOverrideKeyPath;
    std::function<HRESULT(DWORD dwID, TPoint* ppt, void* pcmdtReserved, void* pdispReserved)> OnShowContextMenu;
    std::function<HRESULT(TDocHostUIInfo& pInfo)> OnGetHostInfo;
    std::function<HRESULT(DWORD dwID, void* pActiveObject, void* pCommandTarget, void* pFrame, void* pDoc)> OnShowUI;
    std::function<HRESULT()> OnHideUI;
    std::function<HRESULT()> OnUpdateUI;
    std::function<HRESULT(bool fEnable)> OnEnableModeless;
    std::function<HRESULT(bool fActivate)> OnOnDocWindowActivate;
    std::function<HRESULT(bool fActivate)> OnOnFrameWindowActivate;
    std::function<HRESULT(const TRect* prcBorder, void* pUIWindow, bool fRameWindow)> OnResizeBorder;
    std::function<HRESULT(const TMsg* lpMsg, const void* pguidCmdGroup, DWORD nCmdID)> OnTranslateAccelerator;
    std::function<HRESULT(AnsiString& pchKey, DWORD dw)> OnGetOptionKeyPath;
    std::function<HRESULT(void* pDropTarget, void*& ppDropTarget)> OnGetDropTarget;
    std::function<HRESULT(void*& ppDispatch)> OnGetExternal;
    std::function<HRESULT(DWORD dwTranslate, const AnsiString& pchURLIn, AnsiString& ppchURLOut)> OnTranslateUrl;
    std::function<HRESULT(void* pDO, void*& ppDORet)> OnFilterDataObject;
    std::function<HRESULT(HWND hwnd, const AnsiString& lpstrText, const AnsiString& lpstrCaption, DWORD dwType,
                          const AnsiString& lpstrHelpFile, DWORD dwHelpContext, LRESULT& plResult)> OnShowMessage;
    std::function<HRESULT(HWND hwnd, const AnsiString& pszHelpFile, UINT uCommand, DWORD dwData, TPoint ptMouse,
                          void* pDispatchObjectHit)> OnShowHelp;
    std::function<HRESULT(int& Count)> OnGetTypeInfoCount;
    std::function<HRESULT(int Index, int LocaleID, void*& TypeInfo)> OnGetTypeInfo;
    std::function<HRESULT(const void* IID, void* Names, int NameCount, int LocaleID, void* DispIDs)> OnGetIDsOfNames;
    std::function<HRESULT(int DispID, const void* IID, int LocaleID, WORD Flags, void* Params, int* VarResult,
                          void* ExcepInfo, void* ArgErr)> OnInvoke;
    std::function<HRESULT(const void* rsid, const void* iid, void*& Obj)> OnQueryService;
    std::function<void(TObject* Sender, bool& CanClose)> OnCloseQuery;
    std::function<void(TObject* Sender, HWND h)> OnShowDialog;

protected:
    HRESULT ShowContextMenu(DWORD id, TPoint* point, void* commandTarget, void* objectAtPoint) override;
    HRESULT GetHostInfo(TDocHostUIInfo& info) override;
    HRESULT TranslateAccelerator(const TMsg& message, const void* commandGroup, DWORD commandId) override;
    HRESULT ShowUI() override;
    HRESULT HideUI() override;
    HRESULT UpdateUI() override;
    HRESULT OnDocWindowActivate(bool activate) override;
    HRESULT TranslateUrl(DWORD translate, const AnsiString& url, AnsiString& translated) override;
    bool TranslatesKey(WORD virtualKey, bool extended) const override;
    bool CanClose() override;
    void DialogActivated(QWidget* dialog) override;

private:
    void RecomputeFlags();
    HRESULT ReportScriptError(bool* continueScript);

    TDownloadControlOptions FDownloadOptions;
    TUserInterfaceOptions FUserInterfaceOptions;
    DWORD FDownloadFlags = 0;
    DWORD FUIFlags = 0;
    AnsiString FHelpFile;
    TPrintOptions FPrintOptions;
    AnsiString FUserAgent;
    bool FReplaceCaption = false;
    bool FEnableDDE = false;
    bool FfpExceptions = true;
    bool FUSMeasurement = false;
    bool FUserAgentWritten = false;
};
