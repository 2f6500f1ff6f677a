#include "app/ProgramMain.h"
#include "listings/Calendar.h"
#include "app/ChannelIcons.h"
#include "app/Main.h"
#include "dialogs/About.h"
#include "dialogs/Tulostus.h"
#include "dialogs/Tvtanaan.h"
#include "kit/KitCursors.h"
#include "listings/Settings.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FormsInit.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include "platform/services/FirstPaint.h"
#include "platform/services/FolderLock.h"
#include "platform/services/FontConfigWarmUp.h"
#include "shell/TrayIcon.h"
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <memory>

void MainInitialization()
{
    SetFinnishDateNames();
    RegisterKitCursors();
}

bool StartsHidden(int argc, char** argv)
{
    if (argc > 1 && LowerCase(argv[1]) == "/startup")
        return true;
    return IniReadString("Muut", "KäynnistäPienennettynä"_a, "0") == "1";
}

namespace {

// A copy that is still starting answers once its window is made; one that has hung never does.
constexpr int kHolderAnswerMilliseconds = 10000;

AnsiString UnreachableCopyText()
{
    AnsiString text = "QEX 2000 on jo käynnissä tässä kansiossa, mutta sen ikkunaa ei saatu esiin.\r\n("_a;
    text += ExeFolder();
    text += ")";
    return text;
}

} // namespace

int ProgramMain(int argc, char** argv)
{
    // Loads while the display connection is made; the window icon below draws the first text.
    TFontConfigWarmUp fontConfig;
    MainInitialization();
    QApplication qt(argc, argv);
    fontConfig.Wait();
    ExitAtFirstPaintWhenAsked();
    EnsureFormsInitialized();
    // Every window, the about box among them, shows the program's own picture.
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProgramIconImage())));
    auto application = std::make_unique<TApplication>();
    Application->SetTitle("QEX 2000");
    // Two copies on one folder would each write their own alarm list over the other's.
    TFolderLock folderLock(ExeFolder(), ".QEX.LCK");
    if (!folderLock.Acquire()) {
        if (!folderLock.AskHolderToComeForward(kHolderAnswerMilliseconds))
            MessageDlg(UnreachableCopyText(), mtWarning, {mbOK});
        return 0;
    }
    // Answered from the start: a copy still asking its first questions (the first-run settings, a
    // damaged file) has no main window yet, and what it asks comes forward instead.
    folderLock.Serve([] {
        Dispatch([] {
            if (MainForm)
                MainForm->ComeForward();
            else
                KeepModalBoxAbove(nullptr);
        });
    });
    Application->CreateForm(MainForm);
    Application->CreateForm(AboutForm);
    MainForm->SetDoubleBuffered(true);
    // Without a notification area there would be no way back to a hidden window: the window is
    // then shown all the same.
    const bool hidden = StartsHidden(argc, argv) && TTrayIcon::TrayAvailable();
    if (hidden) {
        Application->ShowTaskbarWindow(false);
        MainForm->Hide();
        Application->ShowMainForm = false;
        MainForm->Tray->SetActive(true);
    }
    // The print form asks the print system for the default printer's paper, which loads the print
    // system's libraries and talks to its server: the main window is not kept waiting for it, and
    // the print commands do nothing until it exists.
    if (hidden)
        Application->CreateForm(PrintForm);
    else
        AfterFirstPaint([] { Dispatch([] { Application->CreateForm(PrintForm); }); });
    Application->CreateForm(TVTanaanForm);
    TVTanaanForm->Tray = MainForm->Tray;
    Application->Run();
    return Application->ExitCode();
}
