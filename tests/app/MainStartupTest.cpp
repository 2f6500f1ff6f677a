// Start-up and shutdown of the real main window: the shown day, the day bar and the day menu, the
// alarm file read and pruned, the files written on closing, the first run and the clean-up.
#include "MainWindowFixture.h"
#include "alarms/AlarmFile.h"
#include "listings/Settings.h"
#include "net/HttpClient.h"
#include "platform/core/IniFile.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/TabControl.h"
#include "shell/TrayIcon.h"
#include <QApplication>
#include <QKeyEvent>
#include <cerrno>

namespace app_test {
namespace {

TEST_F(MainWindowTest, ShowsTodaysListingWithTheProgrammeOnAir)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();

    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    EXPECT_EQ(MainForm->CurrentDate, "11.2.2026");
    EXPECT_EQ(MainForm->CurrentChannel, "TV1");
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0], "06:00 Aamu-tv");
    EXPECT_EQ(items[2], Cp("<b>09:55 Ryhmä H"));
    EXPECT_EQ(items[7], Cp("00:30 Yöelokuva"));
    EXPECT_EQ(SelectedRows(MainForm->Ohjelmat), std::vector<int>{2});
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Items()->Get(2), Cp("Ensimmäinen esitys."));
    // The information pane shows the programme on air.
    ASSERT_GE(MainForm->TiedotText->Lines()->Count(), 2);
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(0), Cp("09:55 Ryhmä H"));
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(1), Cp("Ensimmäinen esitys."));

    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(1), "Viikko 8  (16.2 - 22.2)");
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 2);
    EXPECT_TRUE(MainForm->ViikotPanel->Visible());
    for (int i = 1; i <= 14; ++i)
        EXPECT_EQ(MainForm->MM_D[i]->Checked(), i == 3) << i;
    EXPECT_EQ(MainForm->MM_D[3]->Caption(), "Keskiviikko\t11.2.2026");
    EXPECT_EQ(MainForm->MM_D[14]->Caption(), "Sunnuntai\t22.2.2026");
    EXPECT_TRUE(MainForm->MM_Normaali->Checked());
}

TEST_F(MainWindowTest, DayNotFetchedSaysSoInTheCaption)
{
    WriteUsualSettings();
    StartWindow();
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tietoja ei ole haettu (Keskiviikko 11. Helmikuuta 2026)");
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0);
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Count(), 0);
}

TEST_F(MainWindowTest, BeforeFiveTheTvDayIsYesterday)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes(), 2);
    ClockSet(At(2026, 2, 11, 4, 59));
    StartWindow();
    EXPECT_EQ(MainForm->CurrentDate, "10.2.2026");
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 1);
    EXPECT_TRUE(MainForm->MM_D[2]->Checked());
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tiistai 10. Helmikuuta 2026");
    // At 04:59 the programme that began at 01:45 after midnight is still on air.
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    EXPECT_EQ(items.back(), "<b>01:45 Lopetus");
    EXPECT_EQ(SelectedRows(MainForm->Ohjelmat), std::vector<int>{8});
}

TEST_F(MainWindowTest, WeekTabsOnSundayCarryTheWeekNumbersOfTheirFiles)
{
    WriteUsualSettings();
    // On a Sunday the weeks are the one ending today (files "07") and the next ("08").
    ClockSet(At(2026, 2, 15, 12, 0));
    StartWindow();
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(1), "Viikko 8  (16.2 - 22.2)");
}

TEST_F(MainWindowTest, WeekTabsOverNewYear)
{
    WriteUsualSettings();
    // Over New Year the next week's files are numbered from the new year: "02", not "54".
    ClockSet(At(2026, 12, 30, 12, 0));
    StartWindow();
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(0), "Viikko 53  (28.12 - 3.1)");
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(1), "Viikko 2  (4.1 - 10.1)");
}

TEST_F(MainWindowTest, ExpiredAlarmsAreListedOnceAndTheFileRewritten)
{
    WriteUsualSettings();
    const std::string expiredNow = "11.2.2026 (KE)\r\nTV1\r\n10:00\r\nUutiset\r\n\r\nKuvaus\r\n#NRM #SHD:Normaali \r\n\r\n";
    const std::string expiredEarlier = "10.2.2026 (TI)\r\nTV2\r\n21:00\r\nElokuva\r\n\r\n\r\n#NRM \r\n\r\n";
    const std::string future = cp1252::FromUtf8("11.2.2026 (KE)\r\nMTV3\r\n10:01\r\nHuomenta Suomi\r\n5 min. \r\n"
                                                "Aamun ohjelmaa.\r\n#NRM #SHD:Koko ruudun ilmoitus näytölle #PCS3 \r\n\r\n");
    fixture::WriteBytes(folder.Path() + "QEX.ALS", expiredNow + future + expiredEarlier);
    ExpectOk();
    StartWindow();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Info");
    EXPECT_EQ(boxes[0].text, Cp("Seuraavat vanhetuneet hälytykset poistettiin:\r\r"
                                "11.2.2026 (KE) TV1 10:00 Uutiset\r\n10.2.2026 (TI) TV2 21:00 Elokuva\r\n"));
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
    TListItem* row = MainForm->Alarmlist->Items()->Item(0);
    EXPECT_EQ(row->Caption(), "11.2.2026 (KE)");
    EXPECT_EQ(row->SubItems()->Get(0), "MTV3");
    EXPECT_EQ(row->SubItems()->Get(5), Cp("#NRM #SHD:Koko ruudun ilmoitus näytölle #PCS3 "));
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), future);
}

TEST_F(MainWindowTest, DamagedAlarmFileNeverStopsTheStartUp)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    fixture::WriteBytes(folder.Path() + "QEX.ALS", "xx.yy.2026 (KE)\r\nTV1\r\nab:cd\r\nOutoa\r\n");
    ExpectBox([](ModalBox& box) {
        EXPECT_NE(box.Text().find("Outoa"), AnsiString::npos);
        box.Press("OK");
    });
    StartWindow();
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), "");
    // The rest of the start-up ran: channels, days and the listing are there.
    EXPECT_EQ(MainForm->V_Kanavat->Count(), 2);
    EXPECT_EQ(MainForm->WeekDates.Count(), 15);
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 9);
}

TEST_F(MainWindowTest, ClosingWritesAlarmsAndLayoutAndEndsWithOne)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;", "[Muut]", "OletusNäkymä=Normaali", "[Ulkoasu]", "Form.X=30",
                   "Form.Y=40", "Form.Leveys=720", "Form.Korkeus=560", "Form.Jakaja=120", "Alarms.C1=99",
                   "Alarms.C3=44"});
    const std::string future = "12.2.2026 (TO)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nKuvaus\r\n#NRM \r\n\r\n";
    fixture::WriteBytes(folder.Path() + "QEX.ALS", future);
    StartWindow();
    MainForm->TiedotText->SetHeight(130);
    EXPECT_EQ(MainForm->Alarmlist->Columns()->Items(2)->Width(), 44);
    MainForm->Alarmlist->Columns()->Items(1)->SetWidth(85);
    MainForm->Alarmlist->Columns()->Items(2)->SetWidth(50);
    MainForm->Close();

    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), future);
    TIniFile ini(folder.Path() + "QEX.INI");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Form.X", ""), IntToStr(MainForm->Left()));
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Form.Y", ""), IntToStr(MainForm->Top()));
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Form.Leveys", ""), "720");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Form.Korkeus", ""), "560");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Form.Jakaja", ""), "130");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Alarms.C1", ""), "99");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Alarms.C2", ""), "85");
    EXPECT_EQ(ini.ReadString("Ulkoasu", "Alarms.C3", ""), "50");
    EXPECT_TRUE(ini.ValueExists("Ulkoasu", "Alarms.C4"));
    EXPECT_TRUE(ini.ValueExists("Ulkoasu", "Alarms.C5"));
    // Settings the window does not own stay as they were.
    EXPECT_EQ(ini.ReadString("Kanavat", "Käytössä"_a, ""), "TV1;");
}

TEST_F(MainWindowTest, AlarmFileThatCantBeWrittenStillLetsTheWindowClose)
{
    WriteUsualSettings();
    StartWindow();
    // A folder in the file's place: the alarm file can't be replaced.
    ASSERT_TRUE(ForceDirectories(folder.Path() + "QEX.ALS"));
    MainForm->Close();
    ASSERT_EQ(errors.size(), 1u);
    errors.clear();
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(IniReadString("Ulkoasu", "Form.Jakaja", ""), "100");
}

// Three alarms still ahead at the test's start (Wednesday 11.2.2026 10:00).
std::string ThreeFutureAlarms()
{
    return cp1252::FromUtf8("11.2.2026 (KE)\r\nTV1\r\n21:00\r\nElokuva\r\n\r\nSotaelokuva.\r\n#NRM \r\n\r\n"
                            "12.2.2026 (TO)\r\nCanal+\r\n20:00\r\nUutiset\r\n\r\n\r\n#NRM #PCS3 \r\n\r\n"
                            "16.2.2026 (MA)\r\nTV1\r\n06:00\r\nAamu-tv\r\n\r\nSäätä.\r\n#NRM \r\n\r\n");
}

// Whatever a file refused, every start-up step ran: the week tabs, the day menu and the day bar
// are there.
void ExpectCompleteStartUp(TMainForm* form)
{
    EXPECT_EQ(form->ViikotTabs->Tabs()->Get(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(form->MM_D[3]->Caption(), "Keskiviikko\t11.2.2026");
    EXPECT_TRUE(form->MM_D[3]->Checked());
    EXPECT_EQ(form->WeekDates.Count(), 15);
    EXPECT_TRUE(form->ViikotPanel->Visible());
}

TEST_F(MainWindowTest, ExpiredAlarmsThatCouldNotLeaveTheFileAreNotSaidToBeRemoved)
{
    WriteUsualSettings();
    const std::string alarms = "10.2.2026 (TI)\r\nTV2\r\n21:00\r\nElokuva\r\n\r\n\r\n#NRM \r\n\r\n" + ThreeFutureAlarms();
    fixture::WriteBytes(folder.Path() + "QEX.ALS", alarms);
    SetFileFault([](const AnsiString& path, bool writing) {
        return writing && ExtractFileName(path) == "QEX.ALS" ? ENOSPC : 0;
    });
    // Only the write error shows; a notice of removed alarms would be an unexpected box.
    StartWindow();
    SetFileFault(nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Cannot write file " + folder.Path() + "QEX.ALS");
    errors.clear();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), alarms);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);
    ExpectCompleteStartUp(MainForm);
}

TEST_F(MainWindowTest, FullDiskForTheSettingsIsReportedOnceAndTheStartUpGoesOn)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    fixture::WriteBytes(folder.Path() + "QEX.ALS", ThreeFutureAlarms());
    SetFileFault([](const AnsiString& path, bool writing) {
        return writing && ExtractFileName(path) == "QEX.INI" ? ENOSPC : 0;
    });
    StartWindow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unable to write to " + folder.Path() + "QEX.INI");
    errors.clear();
    EXPECT_EQ(Items(MainForm->V_Kanavat), (std::vector<AnsiString>{"TV1", "Canal+"}));
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    ExpectCompleteStartUp(MainForm);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);

    MainForm->MM_D[4]->Click();
    EXPECT_TRUE(errors.empty()) << errors.front();
    MainForm->Close();
    SetFileFault(nullptr);
    EXPECT_EQ(errors.size(), 1u) << "the window's layout could not be saved either";
    errors.clear();
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), ThreeFutureAlarms());
}

TEST_F(MainWindowTest, SettingsFileThatIsAFolderLetsTheStartUpRun)
{
    ASSERT_TRUE(ForceDirectories(folder.Path() + "QEX.INI"));
    fixture::WriteBytes(folder.Path() + "QEX.ALS", ThreeFutureAlarms());
    // Without a readable settings file this is a first run: the notice, then the dialog.
    ExpectOk();
    ExpectBox([](ModalBox& box) { box.Press("&Poistu"); });
    StartWindow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unable to write to " + folder.Path() + "QEX.INI");
    errors.clear();
    EXPECT_EQ(MainForm->V_Kanavat->Count(), 26);
    ExpectCompleteStartUp(MainForm);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);
    MainForm->Close();
    errors.clear();
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), ThreeFutureAlarms());
}

TEST_F(MainWindowTest, AlarmFileThatCouldNotBeReadIsNotWrittenOnClosing)
{
    WriteUsualSettings();
    fixture::WriteBytes(folder.Path() + "QEX.ALS", ThreeFutureAlarms());
    SetFileFault([](const AnsiString& path, bool writing) {
        return !writing && ExtractFileName(path) == "QEX.ALS" ? EIO : 0;
    });
    StartWindow();
    SetFileFault(nullptr);
    EXPECT_EQ(errors.size(), 1u);
    errors.clear();
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
    ExpectCompleteStartUp(MainForm);
    MainForm->Close();
    EXPECT_EQ(ReadWholeFile(folder.Path() + "QEX.ALS"), ThreeFutureAlarms());
}

TEST_F(MainWindowTest, FirstRunShowsTheNoticeAndTheSettingsDialog)
{
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Text(), "Tiedosto (QEX.INI) on tuhoutunut tai ohjelma on päivitetty.\n\r"
                              "Asetukset pitää asettaa uudestaan."_a);
        EXPECT_EQ(box.Buttons(), std::vector<AnsiString>{"OK"});
        box.Press("OK");
    });
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::Form);
        EXPECT_EQ(box.Caption(), "Asetukset");
        box.Press("&Poistu");
    });
    StartWindow(false);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(DirectoryExists(folder.Path() + "Tiedot"));
    // Every channel of the table, and the day bar's switch written by the start-up.
    EXPECT_EQ(MainForm->V_Kanavat->Count(), 26);
    EXPECT_EQ(IniReadString("Muut", "PPalkki", ""), "1");
}

TEST_F(MainWindowTest, SettingsThatAreNoNumbersFallBackToTheirDefaults)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;", "[Hälytys]", "MinuutitEnnenOhjelmaa=viisi", "[Ulkoasu]",
                   "Form.Leveys=leveä", "Form.Korkeus=", "Form.Jakaja=1x", "[Näkymät]", "OmiaNäkymiä=kaksi"});
    StartWindow(false);
    EXPECT_EQ(MainForm->MinutesBefore, 5);
    EXPECT_EQ(MainForm->Width(), 700);
    EXPECT_EQ(MainForm->Height(), 644);
    EXPECT_EQ(MainForm->TiedotText->Height(), 100);
    // One own view (index 0), the separator, the alarm view and what is on now.
    EXPECT_EQ(MainForm->MM_Nakyma->Count(), 2 + 1 + 3);
}

TEST_F(MainWindowTest, HttpClientTakesAgentAndProxyFromTheSettings)
{
    WriteSettings({"[Muut]", "ProxyIP=127.0.0.1", "ProxyPortti=8080"});
    StartWindow(false);
    EXPECT_EQ(MainForm->Http->Agent, "QEX 2000 (Kelvaro - ?\?\?)");
    EXPECT_EQ(MainForm->Http->Proxy, "127.0.0.1");
    EXPECT_EQ(MainForm->Http->ProxyPort, "8080");
    EXPECT_EQ(MainForm->Http->Reference, "-");
    EXPECT_TRUE(MainForm->Http->NoCache);
}

TEST_F(MainWindowTest, ProxyPortThatIsNoNumberIsTheDefault)
{
    WriteSettings({"[Muut]", "ProxyPortti=http"});
    StartWindow(false);
    EXPECT_EQ(MainForm->Http->Proxy, "");
    EXPECT_EQ(MainForm->Http->ProxyPort, "80");
}

TEST_F(MainWindowTest, OldListingFilesGoAtStartUp)
{
    WriteUsualSettings();
    ClockSet(At(2026, 5, 13, 12, 0)); // week 20
    for (const char* name : {"01-18.QEX", "10-18.QEX", "01-19.QEX", "01-20.QEX", "01-21.QEX"})
        fixture::WriteBytes(folder.Path() + "Tiedot/" + name, "");
    StartWindow(false);
    std::vector<AnsiString> left = FindFiles(folder.Path() + "Tiedot/", "*.QEX");
    EXPECT_EQ(left, (std::vector<AnsiString>{"01-19.QEX", "01-20.QEX", "01-21.QEX"}));
}

// A kill during a write of the settings or the alarms leaves its temporary; the next start
// removes those of its own two files and nothing else.
TEST_F(MainWindowTest, TemporariesOfAKilledWriteGoAtStartUp)
{
    WriteUsualSettings();
    fixture::WriteBytes(folder.Path() + "QEX.ALS", ThreeFutureAlarms());
    for (const char* name : {".QEX.ALS.k9Xq2Z", ".QEX.INI.Ab12Cd", ".QEX.ALS.short", "Tiedot/.QEX.ALS.k9Xq2Z"})
        fixture::WriteBytes(folder.Path() + name, "half");
    StartWindow(false);
    EXPECT_FALSE(FileExists(folder.Path() + ".QEX.ALS.k9Xq2Z"));
    EXPECT_FALSE(FileExists(folder.Path() + ".QEX.INI.Ab12Cd"));
    EXPECT_TRUE(FileExists(folder.Path() + ".QEX.ALS.short"));
    EXPECT_TRUE(FileExists(folder.Path() + "Tiedot/.QEX.ALS.k9Xq2Z"));
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);
}

TEST_F(MainWindowTest, OldListingFilesStayWhenSwitchedOff)
{
    WriteSettings({"[Muut]", "PoistaVanhatTiedostot=0"});
    ClockSet(At(2026, 5, 13, 12, 0));
    fixture::WriteBytes(folder.Path() + "Tiedot/01-18.QEX", "");
    StartWindow(false);
    EXPECT_TRUE(FileExists(folder.Path() + "Tiedot/01-18.QEX"));
}

TEST_F(MainWindowTest, ChannelListStopsAtTheFirstEmptyElement)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;;TV2;"});
    StartWindow(false);
    EXPECT_EQ(Items(MainForm->V_Kanavat), std::vector<AnsiString>{"TV1"});
    EXPECT_EQ(MainForm->V_Kanavat->Height(), 40);
}

TEST_F(MainWindowTest, ViewsMenuFromTheSettings)
{
    WriteSettings({"[Näkymät]", "OmiaNäkymiä=1", "OmaNäkymä0=Illan elokuvat:Taulukko:TV1;TV2;",
                   "OmaNäkymä1=Ilman kaksoispistettä"});
    StartWindow(false);
    TMenuItem* menu = MainForm->MM_Nakyma;
    ASSERT_EQ(menu->Count(), 7);
    EXPECT_EQ(menu->Items(2)->Caption(), "Illan elokuvat");
    EXPECT_EQ(menu->Items(2)->Tag, 0);
    EXPECT_EQ(menu->Items(3)->Caption(), "");
    EXPECT_EQ(menu->Items(3)->Tag, 1);
    EXPECT_TRUE(menu->Items(4)->IsLine());
    EXPECT_EQ(menu->Items(5)->Caption(), "Hälytykset"_a);
    EXPECT_EQ(menu->Items(5)->Tag, 5000);
    EXPECT_EQ(menu->Items(6)->Caption(), "TV:ssa nyt");
    EXPECT_EQ(menu->Items(6)->Tag, 5001);
    // Built again, the menu has the same items, not twice as many.
    MainForm->BuildViewsMenu();
    EXPECT_EQ(menu->Count(), 7);

    // A thousand views at most: the count 999 names the last one, and a larger count no more.
    for (const char* count : {"999", "1000"}) {
        SCOPED_TRACE(count);
        WriteSettings({"[Näkymät]", std::string("OmiaNäkymiä=") + count, "OmaNäkymä999=Viimeinen:Taulukko:TV1;",
                       "OmaNäkymä1000=Liikaa:Taulukko:TV1;"});
        MainForm->BuildViewsMenu();
        ASSERT_EQ(menu->Count(), 2 + 1000 + 3);
        EXPECT_EQ(menu->Items(2 + 999)->Caption(), "Viimeinen");
        EXPECT_TRUE(menu->Items(2 + 1000)->IsLine());
    }
}

// The programme list keeps its pop-up menu, whose shortcuts (Ins adds the selected programme to
// the alarms) are the list's own keys.
class ChannelViewWhole : public MainWindowTest {
protected:
    static bool ListHasItsMenu() { return MainForm->Ohjelmat->PopupMenu() == MainForm->Ohjelmat_PopupMenu; }

    // Chooses TV1 as a click on the channel list does, selects "18:00 Iltauutiset" and presses Ins
    // on the programme list.
    static void AddIltauutisetWithIns()
    {
        MainForm->V_Kanavat->SetItemIndex(MainForm->V_Kanavat->Items()->IndexOf("TV1"));
        MainForm->V_KanavatClick(MainForm->V_Kanavat);
        ASSERT_EQ(MainForm->CurrentChannel, "TV1");
        for (int i = 0; i < MainForm->Ohjelmat->Count(); ++i)
            MainForm->Ohjelmat->SetSelected(i, i == 5);
        MainForm->Ohjelmat->SetItemIndex(5);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
        QApplication::sendEvent(MainForm->Ohjelmat->Widget(), &press);
    }
};

TEST_F(ChannelViewWhole, AFirstStartWithoutADefaultViewOpensNothingAndKeepsTheChannelView)
{
    // The first settings file of ./run.sh: no default view and no own views, so the views menu
    // has one item with an empty caption for the absent entry 0.
    WriteSettings({"[Muut]", "ProxyIP=127.0.0.1", "ProxyPortti=80"});
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();
    ASSERT_EQ(MainForm->MM_Nakyma->Items(2)->Caption(), "");
    EXPECT_FALSE(MainForm->MM_Nakyma->Items(2)->Checked());
    EXPECT_TRUE(MainForm->MM_Normaali->Checked());
    EXPECT_TRUE(ListHasItsMenu());
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0) << "nothing is opened before a channel is chosen";
    // The day keys act on the channel view.
    WORD key = VK_MULTIPLY;
    MainForm->FormKeyDown(MainForm, key, {});
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026");
    key = VK_DIVIDE;
    MainForm->FormKeyDown(MainForm, key, {});

    AddIltauutisetWithIns();
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Iltauutiset"});
}

TEST_F(ChannelViewWhole, AChannelChosenAfterAViewOfTheMenuHasItsMenuBack)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();
    TMenuItem* menu = MainForm->MM_Nakyma;
    for (int item : {menu->Count() - 2, menu->Count() - 1}) {
        SCOPED_TRACE(cp1252::ToUtf8(menu->Items(item)->Caption()));
        menu->Items(item)->Click();
        Flush();
        AddIltauutisetWithIns();
        EXPECT_TRUE(ListHasItsMenu());
        EXPECT_EQ(Titles(), std::vector<AnsiString>{"Iltauutiset"});
        MainForm->Alarmlist->Items()->Clear();
    }
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

TEST_F(MainWindowTest, StartupArgumentInAnyCaseStartsHidden)
{
    WriteSettings({"[Muut]", "KäynnistäPienennettynä=0"});
    char program[] = "qex", upper[] = "/STARTUP", other[] = "/other";
    char* withUpper[] = {program, upper};
    char* withOther[] = {program, other};
    EXPECT_TRUE(StartsHidden(2, withUpper));
    EXPECT_FALSE(StartsHidden(2, withOther));
    EXPECT_FALSE(StartsHidden(1, withOther));
    WriteSettings({"[Muut]", "KäynnistäPienennettynä=1"});
    EXPECT_TRUE(StartsHidden(1, withOther));
}

TEST_F(MainWindowTest, ClickOnTheTrayIconShowsTheHiddenWindowAndItsDefaultView)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow(false);
    EXPECT_TRUE(MainForm->FirstShow);
    MainForm->TrayClick(MainForm->Tray, mbLeft, {}, 0, 0);
    Flush();
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_FALSE(MainForm->FirstShow);
    EXPECT_FALSE(MainForm->Tray->Active());
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
}

TEST_F(MainWindowTest, WithoutANotificationAreaF8OnlyMinimises)
{
    // The offscreen desktop has no notification area: hiding would leave no way back.
    WriteUsualSettings();
    StartWindow();
    ASSERT_FALSE(TTrayIcon::TrayAvailable());
    MainForm->Pienennohjelmatykaluriville1Click(MainForm);
    Flush();
    EXPECT_FALSE(MainForm->Tray->Active());
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_TRUE(app.TaskbarWindowVisible());
}

} // namespace
} // namespace app_test
