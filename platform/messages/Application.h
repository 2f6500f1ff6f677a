// The application object: title, the message loop, nested loops, the quit flag and the route of
// every exception that reaches a dispatch point. The forms layer adds windows and modality through
// the hooks below.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Component.h"
#include <exception>
#include <functional>

class TForm;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner = nullptr);
    ~TApplication() override;

    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title) { FTitle = title; }

    // Runs pending events once (posted messages, timers, socket notifications) and returns.
    void ProcessMessages();
    // Waits for at least one event and handles it; returns at once when terminated.
    void HandleMessage();
    // The main loop: runs until Terminate or WM_QUIT.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    int ExitCode() const { return FExitCode; }
    void SetExitCode(int code) { FExitCode = code; }

    // Every dispatch point hands a caught exception here; with OnException unset, ShowException
    // shows it (the forms layer installs the default error box).
    void HandleException(std::exception_ptr error);
    void ShowException(const std::exception& error);

    std::function<void(TObject* Sender, const std::exception& error)> OnException;
    // Installed by the forms layer: shows the default error box (title = Title).
    std::function<void(const AnsiString& title, const AnsiString& message)> ExceptionBox;

    // The forms side, defined by platform/forms (FormsApplication.cpp). The first form made
    // becomes the main form; the reference is set before the form's OnCreate runs.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(this);
        FormCreated(reference);
    }
    TForm* MainForm() const { return FMainForm; }
    // Run shows the main form first unless this is false (a start hidden in the tray).
    bool ShowMainForm = true;
    void Minimize();
    void Restore();
    // The application's taskbar entry; hidden, a minimised program leaves no button behind.
    bool TaskbarWindowVisible() const { return FTaskbarWindowVisible; }
    void ShowTaskbarWindow(bool visible);
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Run calls this before its loop; the forms layer shows the main form there.
    std::function<void()> BeforeRun;

private:
    friend class TForm;
    void FormCreated(TForm* form);
    TForm* FMainForm = nullptr;
    bool FTaskbarWindowVisible = true;

    AnsiString FTitle;
    bool FTerminated = false;
    int FExitCode = 0;
};

// The one application object, made by the program's entry (tests make their own).
extern TApplication* Application;

// Runs `body` and hands any exception to Application->HandleException; for every dispatch point.
void Dispatch(const std::function<void()>& body);
