// TForm: a top-level window. Its bounds are frame bounds (outer position and size), as the class
// library saves and restores them, so a window put back where it was does not creep. A shown
// window is kept on the screen and no larger than it, whatever bounds it is given.
#pragma once
#include "platform/forms/Set.h"
#include "platform/forms/WinControl.h"
#include <QPointer>
#include <QSize>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class TMainMenu;
struct MINMAXINFO;
enum class TModalKind : int;

// fsMDIForm gives the form a multi-document client area; an fsMDIChild form lives in the
// application's main form's client area instead of a window of its own.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// poDefault leaves the place to the window system; poDesktopCenter centres as poScreenCenter does.
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter, poDefault, poDesktopCenter };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Runs OnCreate once, after the derived constructor has built the controls; CreateForm,
    // Show and ShowModal call it, so only a form that is never shown needs to call it itself.
    void AfterConstruction();
    // Runs OnDestroy once, while the form's window and components are still there. TForm's
    // destructor calls it; a derived form whose handler reads the derived form's own fields
    // calls it first in its own destructor, since C++ has freed them by then.
    void BeforeDestruction();

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);

    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    void SetBounds(int left, int top, int width, int height) override;
    // The frame bounds the window has in the normal state, or returns to from the maximised or
    // minimised state.
    TRect NormalBoundsRect() const;
    int ClientWidth() const override;
    int ClientHeight() const override;
    // The client size asked for is kept when the window system adds its frame later; a frame
    // size given with SetBounds afterwards replaces it.
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    // The smallest frame size a sizeable window can be dragged to.
    void SetMinSize(int width, int height);
    // Asks the window's watchers for its size limits again (a min-max query) and hands them to
    // the window manager; done whenever the frame changes, and by whoever changed the answer.
    void UpdateSizeLimits();

    TFormStyle FormStyle() const { return FFormStyle; }
    // Stay-on-top is given to the window once; setting it again only raises the window. A form
    // becomes an MDI child while hidden, in the client area of the application's main form,
    // which must be an fsMDIForm (EInvalidOperation otherwise).
    void SetFormStyle(TFormStyle style);
    // An fsMDIForm's client area, where its children live; nullptr for other forms.
    QMdiArea* MDIClient() const;
    // The frame an MDI child has in its parent's client area; nullptr for other forms.
    QMdiSubWindow* MDIFrame() const;
    // Where a minimised MDI child lies in the client area, and lies again whenever it is
    // minimised; (-1, -1) leaves it to the client area (and to the window system for other forms).
    TPoint MinimizedPosition() const;
    // True from an MDI child's own showing to its own hiding: its frame's hiding and showing
    // as it minimises and restores, or with its parent, leave it as it is.
    bool MDIChildShown() const { return FMDIShown; }
    void SetMinimizedPosition(TPoint position);
    // bsDialog, bsSingle and bsToolWindow windows keep the size the program gives them.
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    // The title bar's buttons: without biSystemMenu there are none; a button the border style
    // has no room for stays away whatever is asked.
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    // Qt always double-buffers; kept so forms can say what they want.
    void SetDoubleBuffered(bool) {}
    // A window of its own on the taskbar (true) or a tool window without one.
    void SetShowInTaskbar(bool show);

    void SetVisible(bool visible) override;
    void Show();
    void Hide();
    // Runs the form through the one modal path; returns ModalResult (mrCancel when the
    // application ends meanwhile).
    TModalResult ShowModal();
    // Asks OnCloseQuery and OnClose; a modal form ends with mrCancel; the main form ends the
    // application; otherwise the close action hides or frees the form.
    void Close();
    // Frees the form once the current event has been handled.
    void Release();
    bool Modal() const { return FModal; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    // While set, the form is a dialog that the window manager keeps over `owner`, and it takes
    // the owner's input away, as a modal window does; nullptr ends that. Set while hidden. The
    // modal path sets it for every run, which also keeps the running form on top.
    void SetModalOwner(QWidget* owner);
    bool Active() const;
    // Brings the window forward and gives it the keyboard.
    void Activate();

    bool KeyPreview = false;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnResize;
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    QWidget* ClientWidget() const override;
    // The form a widget lies in, or nullptr.
    static TForm* FormOf(const QObject* widget);

protected:
    void resize_event() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool widget_event(QObject* watched, QEvent* event) override;
    void controls_aligned(const TRect& rest) override;

private:
    friend TModalResult RunModal(TForm* form, TModalKind kind, const AnsiString& text);
    bool CloseQuery();
    TCloseAction DoClose(TCloseAction action);
    void SetFrame(int left, int top, int width, int height);
    TRect ScreenArea() const;
    // A shown window stays within the screen whatever place it is given.
    void KeepOnScreen();
    bool FixedSize() const;
    void ApplyFrameBounds();
    MINMAXINFO OwnMinMaxInfo() const;
    MINMAXINFO AskMinMaxInfo() const;
    QSize InnerSize(TPoint frame) const;
    bool OwnMaximizedPlace(TRect& place) const;
    void Maximize();
    void Unzoom();
    void SetSizeLimits(QSize minimum, QSize maximum);
    void SyncClientArea();
    void PlaceByPosition();
    Qt::WindowFlags WindowFlags() const;
    void UpdateWindowFlags();
    Qt::WindowFlags TitleButtonFlags() const;
    void RememberFrameBounds();
    void CloseModal();
    void user_close();
    void shown();
    void hidden();
    void state_changed();
    void frame_changed();
    // An MDI child's frame in its parent's client area (MDIChild.cpp).
    void EnterMDIClient();
    void LeaveMDIClient();
    void ShowMDIChild();
    void HideMDIChild();
    void ApplyMDIFrameBounds();
    void SetMDIChildState(TWindowState state);
    void LimitMDIFrame(const MINMAXINFO& info);
    void mdi_frame_event(QEvent* event);
    // The window that carries the frame: the sub-window for an MDI child, else the form's own.
    QWidget* FrameWidget() const;

    QWidget* FClient = nullptr;
    QPointer<QMdiArea> FMDIClient;
    QPointer<QMdiSubWindow> FMDIFrame;
    TPoint FMinPosition{-1, -1};
    bool FMDIShown = false; // the child's OnShow ran and no OnHide since
    AnsiString FCaption;
    TMainMenu* FMenu = nullptr;
    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    QPointer<QWidget> FModalOwner;
    TPosition FPosition = poDesigned;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TWindowState FPendingState = wsNormal;
    TRect FFrame = Rect(0, 0, 320, 240);
    bool FCreated = false;
    bool FDestroyNotified = false;
    bool FModal = false;
    bool FShowInTaskbar = true;
    bool FReleasing = false;
    bool FMinimizedNotified = false;
    TRect FMargins; // frame thickness on each side, as last seen in the normal state
    // Maximised to a place of its own: a normal window there, and the bounds it returns to.
    bool FZoomed = false;
    TRect FZoomNormal;
    bool FFramed = false; // FMargins come from the window system, not from the start
    TPoint FMinFrame;
    // Client sizes asked for with SetClientWidth/Height (-1: none), kept when the frame changes.
    int FWantedClientWidth = -1;
    int FWantedClientHeight = -1;
    TModalResult FModalResult = 0;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
