#include "platform/messages/Application.h"
#include "platform/core/Exceptions.h"
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>

TApplication* Application = nullptr;

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    if (!Application)
        Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage()
{
    if (FTerminated || !QCoreApplication::instance())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::Run()
{
    if (BeforeRun)
        BeforeRun();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    FTerminated = true;
    // A loop blocked waiting for events must wake up to see the flag.
    if (auto* app = QCoreApplication::instance())
        if (auto* dispatcher = QAbstractEventDispatcher::instance(app->thread()))
            dispatcher->wakeUp();
}

void TApplication::HandleException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // A silent exception: it ends what was running and shows nothing.
    } catch (const std::exception& e) {
        if (OnException)
            OnException(this, e);
        else
            ShowException(e);
    } catch (...) {
        Exception unknown("Unknown exception");
        if (OnException)
            OnException(this, unknown);
        else
            ShowException(unknown);
    }
}

void TApplication::ShowException(const std::exception& error)
{
    AnsiString message = error.what();
    // As the class library does: a full stop is added unless the text ends in a character that
    // sorts at or below it.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    if (ExceptionBox)
        ExceptionBox(FTitle, message);
    else
        std::fprintf(stderr, "%s: %s\n", FTitle.c_str(), message.c_str());
}

void Dispatch(const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        auto error = std::current_exception();
        try {
            if (Application)
                Application->HandleException(error);
            else
                std::rethrow_exception(error);
        } catch (const std::exception& e) {
            // Nothing may escape into Qt's event loop, not even from an exception handler.
            std::fprintf(stderr, "Unhandled exception: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "Unhandled exception\n");
        }
    }
}
