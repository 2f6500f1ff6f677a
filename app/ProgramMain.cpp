#include "app/ProgramMain.h"
#include "listings/Calendar.h"
#include "app/ChannelIcons.h"
#include "app/FolderGuard.h"
#include "app/ListingPackage.h"
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
#include "shell/GlobalHotKey.h"
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
// A copy that doesn't run tells whoever started it so; 1 is a closed window's, a normal end.
constexpr int kNotStartedExitCode = 2;

void CreateTvTodayForm()
{
    Application->CreateForm(TVTanaanForm);
    if (MainForm)
        TVTanaanForm->Tray = MainForm->Tray;
}

} // namespace

void SetProgramPicture()
{
    static const QImage picture = ProgramIconImage();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(picture)));
    if (MainForm)
        MainForm->Tray->Icon()->SetImage(picture);
}

int ProgramMain(int argc, char** argv)
{
    // Loads while the display connection is made, for the main window's first text.
    TFontConfigWarmUp fontConfig;
    MainInitialization();
    QApplication qt(argc, argv);
    fontConfig.Wait();
    // Listed while the main window is made.
    TFontListWarmUp fontList;
    ExitAtFirstPaintWhenAsked();
    EnsureFormsInitialized();
    // Every window, the about box among them, shows the program's own picture. It is drawn in a
    // large bold letter, a font of its own, so the first frame of a window doesn't wait for it.
    AfterFirstPaint(SetProgramPicture);
    auto application = std::make_unique<TApplication>();
    Application->SetTitle("QEX 2000");
    // Two copies on one folder would each write their own alarm list over the other's.
    TFolderLock folderLock(ExeFolder(), ".QEX.LCK");
    switch (TakeFolderOrBringHolderForward(folderLock, kHolderAnswerMilliseconds)) {
    case TFolderStart::Runs:
        break;
    case TFolderStart::HolderCameForward:
        return 0;
    case TFolderStart::Refused:
        return kNotStartedExitCode;
    }
    // Only the folder's holder may: another copy's download could be under way.
    ClearPackageLeftovers();
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
    MainForm->SetDoubleBuffered(true);
    // Without a notification area there would be no way back to a hidden window: the window is
    // then shown all the same.
    const bool hidden = StartsHidden(argc, argv) && TTrayIcon::TrayAvailable();
    if (hidden) {
        SetProgramPicture();
        Application->ShowTaskbarWindow(false);
        MainForm->Hide();
        Application->ShowMainForm = false;
        MainForm->Tray->SetActive(true);
    }
    // The secondary windows, none of them shown at start, are made after the main window's first
    // frame (at once when it starts in the notification area), in the order each case always had:
    // the print form asks the print system for the default printer's paper, which loads its
    // libraries and talks to its server, and the other two cost the frame milliseconds. The print
    // commands do nothing until their form exists, the hot key until its window does; the about
    // command makes a box of its own.
    // The hot key, which calls up the TV-today window, is grabbed after them.
    if (hidden) {
        Application->CreateForm(AboutForm);
        Application->CreateForm(PrintForm);
        CreateTvTodayForm();
        MainForm->TVTanaanHotkey->SetEnabled(true);
    } else {
        AfterFirstPaint([] {
            Dispatch([] {
                Application->CreateForm(AboutForm);
                CreateTvTodayForm();
                Application->CreateForm(PrintForm);
                if (MainForm)
                    MainForm->TVTanaanHotkey->SetEnabled(true);
            });
        });
    }
    Application->Run();
    return Application->ExitCode();
}
