// The forms side of the application object (declared in platform/messages/Application.h).
#include "platform/messages/Application.h"
#include <QWidget>
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"

void TApplication::FormCreated(TForm* form)
{
    if (!FMainForm) {
        FMainForm = form;
        BeforeRun = [this] {
            if (FMainForm && ShowMainForm)
                FMainForm->Show();
        };
    }
    if (!ExceptionBox)
        InstallDefaultExceptionBox();
    form->AfterConstruction();
}

void TApplication::Minimize()
{
    if (FMainForm && FMainForm->Visible())
        FMainForm->SetWindowState(wsMinimized);
}

void TApplication::Restore()
{
    if (FMainForm && FMainForm->WindowState() == wsMinimized)
        FMainForm->SetWindowState(wsNormal);
}

// On Windows the taskbar button belongs to a hidden application window. Here each window has its
// own entry, so hiding the application's entry hides a minimised main form with it.
void TApplication::ShowTaskbarWindow(bool visible)
{
    FTaskbarWindowVisible = visible;
    if (!visible && FMainForm && FMainForm->WindowState() == wsMinimized)
        FMainForm->Hide();
}
