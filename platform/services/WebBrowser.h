// TWebBrowser: the HTML browser control. Pages come from text only (no script, nothing loaded
// from a network or a file); every navigation, link clicks included, passes OnBeforeNavigate2
// first with the link's target exactly as the page wrote it. The control asks its container
// (the protected virtuals below) what a document host would be asked; the defaults are a
// container that answers nothing. The engine's view is made when the first page is to be shown
// and kept from then on; pages load asynchronously, so the window never waits for one.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/WinControl.h"
#include <QPointer>
#include <QWidget> // WinControl.h keeps a QPointer<QWidget> from a forward declaration
#include <cstdint>
#include <functional>

class QFrame;
class WebPageView;

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT OLECMDERR_E_NOTSUPPORTED = static_cast<HRESULT>(0x80040100u);
constexpr HRESULT OLECMDERR_E_UNKNOWNGROUP = static_cast<HRESULT>(0x80040104u);

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
constexpr DWORD SHDVID_UNLOAD = 37;

using TWebBrowserBeforeNavigate2 = std::function<void(TObject* Sender, void* pDisp, const AnsiString& URL, int Flags,
                                                      const AnsiString& TargetFrameName, const AnsiString& PostData,
                                                      const AnsiString& Headers, bool& Cancel)>;

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;

    // Passes OnBeforeNavigate2; unless cancelled: "about:blank" gives an empty document, "#name"
    // scrolls to that anchor, web and mail addresses open in the desktop's browser (the page
    // may hold text from the network, so nothing else is opened), anything else is ignored.
    void Navigate(const AnsiString& URL);
    bool HasDocument() const { return FHasDocument; }
    // READYSTATE_LOADING from LoadDocument until the engine has the page, then COMPLETE.
    int ReadyState() const { return FReadyState; }
    // Starts showing Windows-1252 HTML as the current document: the stand-in of the document's
    // stream loading. Fails (E_NOINTERFACE) without a document.
    HRESULT LoadDocument(const AnsiString& html);
    // The shown document as plain text, Windows-1252, once the page being loaded is there. It
    // runs the message loop until the engine answers, so it is for tests and tools, not for
    // handlers of the window.
    AnsiString DocumentText() const;

    TWebBrowserBeforeNavigate2 OnBeforeNavigate2;

protected:
    // The container's answers. S_OK from ShowContextMenu means "handled": no menu.
    virtual HRESULT ShowContextMenu(DWORD id, TPoint* point, void* commandTarget, void* objectAtPoint);
    virtual HRESULT GetHostInfo(TDocHostUIInfo& info);
    // S_OK means the container took the key.
    virtual HRESULT TranslateAccelerator(const TMsg& message, const void* commandGroup, DWORD commandId);
    virtual HRESULT ShowUI();
    virtual HRESULT HideUI();
    virtual HRESULT UpdateUI();
    virtual HRESULT OnDocWindowActivate(bool activate);
    virtual HRESULT Exec(TCommandGroup group, DWORD command);
    // S_OK with `translated` replaces the address before it is navigated to.
    virtual HRESULT TranslateUrl(DWORD translate, const AnsiString& url, AnsiString& translated);
    // The container's ambient properties changed: the control asks for its host info again.
    void AmbientPropertyChange();
    // Keys that the container keeps away from accelerator translation.
    virtual bool TranslatesKey(WORD virtualKey, bool extended) const;

private:
    bool EnsureView();
    void LinkActivated(const AnsiString& href);
    bool KeyPressed(QKeyEvent& event);
    bool ContextMenuRequested(bool onLink, QPoint at);
    void FocusChanged(bool focused);
    void WaitWhileLoading() const;

    // The view, while its widget lives: a form that closes deletes its widgets before its
    // components.
    WebPageView* View() const { return FViewWidget ? FView : nullptr; }

    QFrame* FFrame = nullptr;
    WebPageView* FView = nullptr;
    QPointer<QWidget> FViewWidget;
    bool FScrollBarsShown = true;
    bool FHasDocument = false;
    int FReadyState = READYSTATE_UNINITIALIZED;
};
