#include "platform/forms/Modal.h"
#include <algorithm>
#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include "platform/messages/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/ClearPlacement.h"
#include "platform/forms/DisabledWindows.h"
#include "platform/forms/Edit.h"
#include "platform/forms/WhenWindowUp.h"

namespace {

TModalHandler& Handler()
{
    static TModalHandler handler;
    return handler;
}

std::function<void(const AnsiString&)>& Reporter()
{
    static std::function<void(const AnsiString&)> reporter;
    return reporter;
}

template <typename T>
void CollectControls(TWinControl* parent, std::vector<T*>& found)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (auto* match = dynamic_cast<T*>(control))
            found.push_back(match);
        if (auto* container = dynamic_cast<TWinControl*>(control))
            CollectControls(container, found);
    }
}

template <typename T>
std::vector<T*> ControlsOf(TForm* form)
{
    std::vector<T*> found;
    CollectControls(form, found);
    return found;
}

AnsiString WithoutAccelerator(const AnsiString& caption)
{
    AnsiString plain;
    for (char c : caption)
        if (c != '&')
            plain += c;
    std::size_t first = plain.find_first_not_of(' ');
    std::size_t last = plain.find_last_not_of(' ');
    return first == AnsiString::npos ? AnsiString() : plain.substr(first, last - first + 1);
}

bool NobodyCanAnswer()
{
    return QGuiApplication::platformName() == "offscreen";
}

void ReportUnanswered(const ModalBox& box)
{
    AnsiString description = "unanswered modal box \"" + box.Caption() + "\": " + box.Text();
    if (Reporter())
        Reporter()(description);
    else
        std::fprintf(stderr, "%s\n", description.c_str());
}

bool ApplicationEnding()
{
    return Application && Application->Terminated();
}

// The windows of the running modal forms, innermost last; a form freed while it runs leaves a
// null entry behind until its loop ends.
std::vector<QPointer<QWidget>>& RunningBoxes()
{
    static std::vector<QPointer<QWidget>> boxes;
    return boxes;
}

// Registers the form as the innermost running box for the time it runs; the form itself stays
// on top meanwhile (see TForm::SetModalOwner).
class RunningBox {
public:
    explicit RunningBox(TForm* form) : FWindow(form->Widget()) { RunningBoxes().push_back(FWindow); }
    ~RunningBox()
    {
        std::erase_if(RunningBoxes(), [this](const QPointer<QWidget>& box) { return !box || box == FWindow; });
    }
    RunningBox(const RunningBox&) = delete;
    RunningBox& operator=(const RunningBox&) = delete;

private:
    QPointer<QWidget> FWindow;
};

void RaiseInnermostBox(QWidget* raised);

// The shown windows that stay on top by themselves, not the running boxes.
std::vector<QWidget*> OnTopWindowsBesideBoxes()
{
    std::vector<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        bool running = std::any_of(RunningBoxes().begin(), RunningBoxes().end(),
                                   [window](const QPointer<QWidget>& box) { return box == window; });
        if (!running && window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
            !window->inherits("QMenu"))
            found.push_back(window);
    }
    return found;
}

void SendOnTopWindowsUnderInnermostBox()
{
    std::vector<QWidget*> windows = OnTopWindowsBesideBoxes();
    if (windows.empty())
        RaiseInnermostBox(nullptr);
    for (QWidget* window : windows)
        RaiseInnermostBox(window);
}

} // namespace

std::vector<AnsiString> ModalBox::Buttons() const
{
    std::vector<AnsiString> captions;
    for (TButton* button : ControlsOf<TButton>(FForm))
        captions.push_back(button->Caption());
    return captions;
}

bool ModalBox::Press(const AnsiString& caption)
{
    std::vector<TButton*> buttons = ControlsOf<TButton>(FForm);
    for (TButton* button : buttons)
        if (button->Caption() == caption) {
            Dispatch([button] { button->Click(); });
            return true;
        }
    for (TButton* button : buttons)
        if (WithoutAccelerator(button->Caption()) == WithoutAccelerator(caption)) {
            Dispatch([button] { button->Click(); });
            return true;
        }
    return false;
}

int ModalBox::EditCount() const
{
    return static_cast<int>(ControlsOf<TEdit>(FForm).size());
}

AnsiString ModalBox::EditText(int index) const
{
    return ControlsOf<TEdit>(FForm).at(index)->Text();
}

void ModalBox::SetEditText(int index, const AnsiString& text)
{
    ControlsOf<TEdit>(FForm).at(index)->SetText(text);
}

void SetModalHandler(TModalHandler handler)
{
    Handler() = std::move(handler);
}

void SetUnansweredModalReporter(std::function<void(const AnsiString& description)> reporter)
{
    Reporter() = std::move(reporter);
}

TModalResult RunModal(TForm* form, TModalKind kind, const AnsiString& text)
{
    form->AfterConstruction();
    std::weak_ptr<bool> alive = form->FAlive;
    auto formAlive = [&alive] { auto flag = alive.lock(); return flag && *flag; };
    form->FModal = true;
    form->FModalResult = mrNone;
    DisabledWindows disabled(form->Widget());
    RunningBox running(form);
    form->Show();
    form->Activate();
    // A window manager stacks a window when it maps it, after the raise above, and maps it under
    // a window that stays on top and had the focus (a notice the user was reading): once the box
    // is up, such windows are sent under it and beside it, as those shown while it runs are.
    WhenWindowUp(form->Widget(), [window = QPointer<QWidget>(form->Widget())] {
        if (window && window->isVisible())
            SendOnTopWindowsUnderInnermostBox();
    });

    ModalBox box(form, kind, text);
    bool testMode = Handler() || NobodyCanAnswer();
    bool forced = false;
    QObject handlerScope; // cancels the handler's call when the box ends first
    if (testMode) {
        QTimer::singleShot(0, &handlerScope, [&] {
            if (!formAlive() || box.Answered())
                return;
            if (TModalHandler handler = Handler())
                Dispatch([&] { handler(box); });
            if (formAlive() && form->FModal && !box.Answered() && !ApplicationEnding()) {
                ReportUnanswered(box);
                forced = true;
                form->FModalResult = mrCancel;
            }
        });
    }

    QEventLoop loop;
    while (formAlive()) {
        if (ApplicationEnding()) {
            form->FModalResult = mrCancel;
            break;
        }
        if (form->FModalResult != mrNone) {
            if (forced)
                break;
            form->CloseModal();
            if (form->FModalResult != mrNone)
                break;
        }
        loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

    if (!formAlive())
        return mrCancel;
    // Hidden before the other windows come back, as the class library does; the form's owner is
    // then let go while it is hidden.
    TModalResult result = form->FModalResult;
    form->FModal = false;
    form->Hide();
    disabled.Restore();
    return result;
}

namespace {

void RaiseInnermostBox(QWidget* raised)
{
    QWidget* box = RunningBoxes().empty() ? nullptr : RunningBoxes().back().data();
    if (!box || box == raised)
        return;
    // A window manager may keep a dialog among its owner's windows when it is raised; a window
    // that came up on top is sent under the others of its layer instead, which leaves the box
    // above it. A window that does not stay on top can't cover the box anyway. Under the box it
    // would go unseen (an alarm notice centred like the box): it moves beside the box, where
    // there is room.
    if (raised && raised->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        raised->lower();
        MoveClearOf(raised, box);
    }
    box->raise();
    // A window manager keeps a focused full-screen window above everything else.
    box->activateWindow();
}

} // namespace

bool ModalBoxRunning()
{
    return std::any_of(RunningBoxes().begin(), RunningBoxes().end(), [](const QPointer<QWidget>& box) { return !box.isNull(); });
}

void KeepModalBoxAbove(const TForm* raised)
{
    if (RunningBoxes().empty())
        return;
    QWidget* box = RunningBoxes().back();
    if (!box || (raised && box == raised->Widget()))
        return;
    QWidget* raisedWindow = raised ? raised->Widget() : nullptr;
    RaiseInnermostBox(raisedWindow);
    QWindow* window = raisedWindow ? raisedWindow->windowHandle() : nullptr;
    // A window manager stacks a window when it maps it, which comes after this raise of the box
    // when the window was only just shown: the box is raised once more when the window is up.
    if (window && !window->isExposed())
        WhenWindowUp(raisedWindow, [raisedWindow] { RaiseInnermostBox(raisedWindow); });
}
