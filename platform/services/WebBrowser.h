// TWebBrowser: the HTML browser control. Pages come from text only (nothing loaded from a network
// or a file; scripts as the container's download flags allow); every navigation, link clicks
// included, passes OnBeforeNavigate2 first with the link's target exactly as the page wrote it.
// The control asks its container (the protected virtuals below) what a document host would be
// asked; the defaults are a container that answers nothing. The engine's view is made when the
// first page is to be shown in sight (a page given out of sight waits, starting no engine, until
// the control is in sight) and kept while pages are shown; after a while with the control out of
// sight it is freed, the document with it, and the engine's processes end; the page comes back in
// a new view when the control is in sight again. An engine that ends by itself (or can't be
// started) leaves no document: a plain notice shows in the page's place until the page comes back
// at the next show or the next page is loaded. While the control's window is disabled (a modal box
// runs) the page takes no input. Pages load asynchronously, so the window never waits for one.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/WinControl.h"
#include "platform/services/ShellExecute.h"
#include "platform/services/WebBrowserContainer.h"
#include "platform/services/WebBrowserHelperLife.h"
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget> // WinControl.h keeps a QPointer<QWidget> from a forward declaration
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMimeData;
class QTimer;
class WebPageView;
struct WebDragAnswer;
struct WebPageEvents;
struct WebPageSettings;

using TWebBrowserBeforeNavigate2 = std::function<void(TObject* Sender, void* pDisp, const AnsiString& URL, int Flags,
                                                      const AnsiString& TargetFrameName, const AnsiString& PostData,
                                                      const AnsiString& Headers, bool& Cancel)>;

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;

    // Passes OnBeforeNavigate2; unless cancelled: "about:blank" gives an empty document, "#name"
    // scrolls to that anchor, web and mail addresses open in the desktop's browser (the page
    // may hold text from the network, so nothing else is opened), anything else is ignored. An
    // address the program itself made (TShellSource::Local) may also be a file or folder.
    void Navigate(const AnsiString& URL, TShellSource source = TShellSource::Network);
    bool HasDocument() const { return FHasDocument; }
    // READYSTATE_LOADING from LoadDocument until the engine has the page, then COMPLETE.
    int ReadyState() const { return FReadyState; }
    // Starts showing Windows-1252 HTML as the current document: the stand-in of the document's
    // stream loading. Fails (E_NOINTERFACE) without a document.
    HRESULT LoadDocument(const AnsiString& html);
    // How long the engine stays after the control was last seen; then its document is closed.
    void SetEngineIdleTime(int milliseconds);
    // What the engine is given: what pages may run and load, the faces it draws them with.
    WebPageSettings PageSettings();
    // Tab walks the page's links; the page hands the focus on past its first or last one.
    bool WantsSpecialKey(WORD key) const override { return key == VK_TAB || TWinControl::WantsSpecialKey(key); }

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
    // `result`, when given, receives the command's Boolean answer (for a script error: whether
    // the page's scripts go on).
    virtual HRESULT Exec(TCommandGroup group, DWORD command, bool* result = nullptr);
    // S_OK with `translated` replaces the address before it is navigated to.
    virtual HRESULT TranslateUrl(DWORD translate, const AnsiString& url, AnsiString& translated);
    // S_OK when the container showed the message itself, its answer (IDOK, IDCANCEL) in result.
    virtual HRESULT ShowMessage(HWND window, const AnsiString& text, const AnsiString& caption, DWORD type,
                                const AnsiString& helpFile, DWORD helpContext, LRESULT& result);
    // F1 in the page; S_FALSE leaves it to the control, which has no help of its own.
    virtual HRESULT ShowHelp(HWND window, const AnsiString& helpFile, UINT command, DWORD data, TPoint mouse,
                             void* objectHit);
    virtual HRESULT EnableModeless(bool enable);
    virtual HRESULT OnFrameWindowActivate(bool activate);
    virtual HRESULT ResizeBorder(const TRect* border, void* uiWindow, bool frameWindow);
    // For a drag onto the page: dropTarget is the engine's view (a QObject); a different QObject
    // in `replacement` receives the drag instead.
    virtual HRESULT GetDropTarget(void* dropTarget, void*& replacement);
    // dataObject is the dragged QMimeData; a QMimeData in `replacement` is dropped in its place.
    virtual HRESULT FilterDataObject(void* dataObject, void*& replacement);
    // The ambient download flags (DISPID_AMBIENT_DLCONTROL) and other ambient properties.
    virtual HRESULT Invoke(int dispId, const void* iid, int localeId, WORD flags, void* params, int* result,
                           void* exceptionInfo, void* argumentError);
    // A page asked to close its window; false keeps it.
    virtual bool CanClose() { return true; }
    // One of the control's own dialogs (a page's message, the script error box) came up.
    virtual void DialogActivated(QWidget* dialog) { (void)dialog; }
    // The container's ambient properties changed: the control asks for its host info and its
    // download flags again.
    void AmbientPropertyChange();
    // Keys that the container keeps away from accelerator translation.
    virtual bool TranslatesKey(WORD virtualKey, bool extended) const;
    // The window event of the script error being reported, while it is.
    const TScriptErrorEvent* ScriptErrorEvent() const { return FScriptError.get(); }

    bool widget_event(QObject* watched, QEvent* event) override;
    void resize_event() override;

private:
    bool EnsureView();
    WebPageEvents PageEvents(int serial);
    void LinkActivated(const AnsiString& href);
    bool KeyPressed(QKeyEvent& event);
    bool ContextMenuRequested(bool onLink, QPoint at);
    void FocusChanged(bool focused);
    void Alert(const AnsiString& text);
    bool Confirm(const AnsiString& text);
    bool Prompt(const AnsiString& text, const AnsiString& defaultValue, AnsiString& answer);
    bool ScriptError(const AnsiString& message, int line, int column, const AnsiString& url);
    void CloseRequested();
    WebDragAnswer DragEntered(const QMimeData* data);
    // Runs one of the control's own dialogs, telling the container when it comes up.
    template <typename Box>
    auto OwnDialog(Box box);
    void Unload();
    bool ShownOnScreen() const;
    // The helper's life moves on; the checks of the idle timer follow the state it comes to.
    THelperLife Happened(THelperEvent event);
    void CheckIdle();
    void ShowIdlePage();
    // The view let go is returned to be freed: at once, or later when inside its own call.
    std::unique_ptr<WebPageView> LetViewGo(THelperEvent event);
    void ViewEnded();
    void ShowNotice(bool shown);

    // The view, while its widget lives: a form that closes deletes its widgets before its
    // components.
    WebPageView* View() const { return FViewWidget ? FView : nullptr; }

    QFrame* FFrame = nullptr;
    QLabel* FNotice = nullptr;
    WebPageView* FView = nullptr;
    QPointer<QWidget> FViewWidget;
    QTimer* FIdleTimer = nullptr;
    QElapsedTimer FSinceShown; // since the control was last in sight
    int FEngineIdleMs;
    int FViewSerial = 0;
    THelperLife FLife = THelperLife::Idle;
    bool FScrollBarsShown = true;
    bool FHasDocument = false;
    bool FHasPage = false;
    bool FSilent = false;
    bool FInOwnDialog = false;
    int FReadyState = READYSTATE_UNINITIALIZED;
    std::unique_ptr<TScriptErrorEvent> FScriptError;
    AnsiString FShownPage; // as loaded, for showing it again after the engine was freed
    AnsiString FIdlePage;  // the page without a view, while it waits to be shown
};
