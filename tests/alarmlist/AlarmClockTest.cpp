// The alarm clock of the real main window: each due row fires once at its lead second, across
// midnight, in list order; after a jump or a late start what is due fires and what has begun is
// listed once; what falls due while an alarm is edited fires when the dialog closes, and what
// falls due while a firing's box is open fires on time; the clock texts; the beeps and the notice
// windows.
#include "AlarmWindowFixture.h"
#include "alarms/AddAlarm.h"
#include "platform/forms/Button.h"
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include "platform/forms/MaskEdit.h"
#include "dialogs/Tvtanaan.h"
#include "listings/TextRoutines.h"
#include "platform/forms/StatusBar.h"
#include "shell/RecordingToneSink.h"
#include "shell/TrayIcon.h"

namespace alarm_test {
namespace {

using AlarmClockTest = AlarmWindowTest;

TEST_F(AlarmClockTest, RowFiresAtTheLeadSecondOnceAndLeavesTheFile)
{
    Settings({});
    const AlarmRow tomorrow = Row("8.12.2026 (TI)", "20:00", Opens("tomorrow.txt"), "Huomenna");
    Start({Row("7.12.2026 (MA)", "20:00", Opens("today.txt"), "Uutiset"), tomorrow});

    TickAt(At(2026, 12, 7, 19, 54) + EncodeTime(0, 0, 59, 950));
    EXPECT_TRUE(opened.empty());
    TickAt(At(2026, 12, 7, 19, 55) + EncodeTime(0, 0, 0, 850));
    EXPECT_EQ(opened, std::vector<AnsiString>{folder.Path() + "today.txt"});
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Huomenna"});
    TickAt(At(2026, 12, 7, 19, 55, 1) + EncodeTime(0, 0, 0, 750));
    TickAt(At(2026, 12, 7, 20, 0));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText({tomorrow}));
}

TEST_F(AlarmClockTest, AFiredAlarmsMarkLeavesTheShownList)
{
    Settings({});
    Listing("TV1", "50", EncodeDate(2026, 12, 7),
            {{{"19:00", "Uutiset", ""}, {"20:00", "Elokuva", ""}, {"22:00", "Yöuutiset", ""}}});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "Elokuva"),
           Row("7.12.2026 (MA)", "22:00", Opens("b.txt"), "Yöuutiset"_a)});
    auto marked = [] {
        std::vector<AnsiString> rows;
        for (int i = 0; i < MainForm->Ohjelmat->Count(); ++i)
            if (MainForm->Ohjelmat->Items()->Get(i).find("<c:") != AnsiString::npos)
                rows.push_back(StripTags(MainForm->Ohjelmat->Items()->Get(i)));
        return rows;
    };
    ASSERT_EQ(marked(), (std::vector<AnsiString>{"20:00 Elokuva", "22:00 Yöuutiset"_a}));

    TickAt(At(2026, 12, 7, 19, 55));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(marked(), std::vector<AnsiString>{"22:00 Yöuutiset"_a});
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Maanantai 7. Joulukuuta 2026");
}

TEST_F(AlarmClockTest, AnAlarmFiringUnderTheStartUpNoticeLeavesTheStartUpWhole)
{
    // The notice of dropped alarms runs a loop before the week dates exist: a row falling due
    // then fires without drawing a day that has no date yet.
    Settings({});
    fixture::WriteBytes(folder.Path() + "QEX.ALS",
                        AlarmFileText({Row("7.12.2026 (MA)", "18:00", Opens("old.txt"), "Vanha"),
                                       Row("7.12.2026 (MA)", "19:05", Opens("due.txt"), "Uutiset")}));
    ExpectBox([](ModalBox& box) {
        ClockSet(At(2026, 12, 7, 19, 0, 30));
        MainForm->AlarmsTimerTimer(nullptr);
        EXPECT_TRUE(box.Press("OK"));
    });
    StartWindow();
    EXPECT_EQ(opened, std::vector<AnsiString>{folder.Path() + "due.txt"});
    EXPECT_EQ(MainForm->WeekDates.Count(), 15);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tietoja ei ole haettu (Maanantai 7. Joulukuuta 2026)");
}

TEST_F(AlarmClockTest, LeadZeroFiresAtTheStartAndAnOutOfRangeLeadIsClamped)
{
    Settings({"[Hälytys]", "MinuutitEnnenOhjelmaa=0"});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("7.12.2026 (MA)", "21:00", Opens("b.txt"), "B")});
    TickAt(At(2026, 12, 7, 19, 59, 59));
    EXPECT_TRUE(opened.empty());
    TickAt(At(2026, 12, 7, 20, 0));
    EXPECT_EQ(opened.size(), 1u);

    // The settings dialog could leave any number; the clock keeps it within the hour.
    MainForm->MinutesBefore = 500;
    TickAt(At(2026, 12, 7, 20, 0, 59));
    TickAt(At(2026, 12, 7, 20, 1));
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(AlarmClockTest, RowsDueInTheSameSecondAllFireUpperFirst)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "21:00", Opens("later.txt"), "Later"),
           Row("7.12.2026 (MA)", "20:00", Opens("upper.txt"), "Upper"),
           Row("7.12.2026 (MA)", "20:00", Opens("lower.txt"), "Lower")});
    TickAt(At(2026, 12, 7, 19, 55) + EncodeTime(0, 0, 0, 100));
    EXPECT_EQ(opened, (std::vector<AnsiString>{folder.Path() + "upper.txt", folder.Path() + "lower.txt"}));
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Later"});
}

TEST_F(AlarmClockTest, LeadReachesBackOverMidnight)
{
    Settings({});
    Start({Row("8.12.2026 (MA)", "00:03", Opens("night.txt"), "Yöuutiset"_a)});
    TickAt(At(2026, 12, 7, 23, 57, 59) + EncodeTime(0, 0, 0, 900));
    EXPECT_TRUE(opened.empty());
    TickAt(At(2026, 12, 7, 23, 58) + EncodeTime(0, 0, 0, 800));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(AlarmClockTest, AJumpFiresWhatFellDueAndListsTheBegunInOneNotice)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("7.12.2026 (MA)", "20:06", Opens("c.txt"), "C"),
           Row("7.12.2026 (MA)", "19:59", Opens("b.txt"), "B"), Row("7.12.2026 (MA)", "20:10", Opens("d.txt"), "D")});
    TickAt(At(2026, 12, 7, 19, 53, 58));
    // Eight minutes without a tick, as after a suspend: C is still ahead, A and B have begun.
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(box.Text(), "Seuraavat hälytykset poistettiin hälyttämättä, koska ohjelma oli jo alkanut:"_a +
                                  "\r\r7.12.2026 (MA) TV1 19:59 B\r\n7.12.2026 (MA) TV1 20:00 A\r\n");
        // Fired before the notice shows.
        EXPECT_EQ(opened, std::vector<AnsiString>{folder.Path() + "c.txt"});
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 20, 2));
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"D"});
    TickAt(At(2026, 12, 7, 20, 4, 59));
    TickAt(At(2026, 12, 7, 20, 5));
    EXPECT_EQ(opened, (std::vector<AnsiString>{folder.Path() + "c.txt", folder.Path() + "d.txt"}));
}

// After a long sleep the notice lists the first missed alarms and counts the rest, so that the
// whole box and its OK button stay on the screen.
TEST_F(AlarmClockTest, ALongJumpsNoticeFitsTheScreenWithACountForTheRest)
{
    Settings({});
    std::vector<AlarmRow> rows;
    const char* const days[] = {"7.12.2026 (MA)", "8.12.2026 (TI)", "9.12.2026 (KE)"};
    for (int i = 0; i < 120; ++i)
        rows.push_back(Row(days[i / 40], IntToStr(20 + i % 40 / 10) + ":" + IntToStr(10 + i % 10),
                           "#NRM #SHD:0 ", "Elokuvailta: pitkä elokuva numero "_a + IntToStr(i + 1)));
    Start(rows);
    TickAt(At(2026, 12, 7, 19, 0, 30));
    ExpectBox([](ModalBox& box) {
        const AnsiString text = box.Text();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
        EXPECT_NE(text.find("7.12.2026 (MA) TV1 20:10 Elokuvailta: pitkä elokuva numero 1\r\n"_a), AnsiString::npos);
        EXPECT_EQ(text.substr(text.size() - 16), "(ja 110 muuta)\r\n");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget* window = box.Form()->Widget();
        EXPECT_TRUE(screen.contains(window->frameGeometry())) << window->frameGeometry().height();
        for (int i = 0; i < box.Form()->ComponentCount(); ++i) {
            if (auto* button = dynamic_cast<TButton*>(box.Form()->Components(i))) {
                const QWidget* shown = button->Widget();
                EXPECT_TRUE(screen.contains(QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size())));
            }
        }
        EXPECT_TRUE(box.Press("OK"));
    });
    // Four days on, as after a machine slept over the weekend.
    TickAt(At(2026, 12, 13, 12, 0));
    EXPECT_TRUE(Titles().empty());
    EXPECT_EQ(AlarmFileBytes(), "");
}

TEST_F(AlarmClockTest, RowsDueAtALateStartFireOnTheFirstTick)
{
    Settings({});
    ClockSet(At(2026, 12, 7, 19, 58));
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("7.12.2026 (MA)", "20:30", Opens("b.txt"), "B")});
    TickAt(At(2026, 12, 7, 19, 58, 1));
    EXPECT_EQ(opened, std::vector<AnsiString>{folder.Path() + "a.txt"});
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"B"});
}

TEST_F(AlarmClockTest, AlarmsDueWhileAnEditIsOpenFireWhenItCloses)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("7.12.2026 (MA)", "20:02", Opens("b.txt"), "B"),
           Row("7.12.2026 (MA)", "20:01", Opens("c.txt"), "C")});
    TickAt(At(2026, 12, 7, 19, 54, 59));
    SelectRows({0});
    ExpectBox([](ModalBox& box) {
        EXPECT_TRUE(MainForm->AlarmEditing);
        // The dialog stays open over the alarms' seconds; the clock keeps ticking meanwhile.
        TickAt(At(2026, 12, 7, 19, 55));
        TickAt(At(2026, 12, 7, 19, 57, 30));
        EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 3);
        EXPECT_TRUE(box.Press("&Poistu"));
    });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_FALSE(MainForm->AlarmEditing);
    EXPECT_EQ(opened, (std::vector<AnsiString>{folder.Path() + "a.txt", folder.Path() + "c.txt",
                                               folder.Path() + "b.txt"}));
}

TEST_F(AlarmClockTest, AnEditedRowFiresByItsNewTime)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A")});
    TickAt(At(2026, 12, 7, 19, 54, 59));
    SelectRows({0});
    ExpectBox([](ModalBox& box) {
        TickAt(At(2026, 12, 7, 19, 56));
        static_cast<TAddAlarmForm*>(box.Form())->MaskEdit1->SetText("20:30");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_TRUE(opened.empty());
    TickAt(At(2026, 12, 7, 20, 24, 59));
    EXPECT_TRUE(opened.empty());
    TickAt(At(2026, 12, 7, 20, 25));
    EXPECT_EQ(opened, std::vector<AnsiString>{folder.Path() + "a.txt"});
}

TEST_F(AlarmClockTest, TicksInsideAFiringsBoxFireWhatFallsDueOnTimeEachOnce)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:0 #WV:\"/nowhere/a.wav\" ", "A"),
           Row("7.12.2026 (MA)", "20:00", Opens("b.txt"), "B"),
           Row("7.12.2026 (MA)", "20:00", Opens("c.txt"), "C"),
           Row("7.12.2026 (MA)", "20:01", Opens("d.txt"), "D")});
    const std::vector<AnsiString> all = {folder.Path() + "b.txt", folder.Path() + "c.txt", folder.Path() + "d.txt"};
    std::vector<AnsiString> openedInside;
    ExpectBox([&](ModalBox& box) {
        // The warning stays open: B and C, due in the same second and already out of the list,
        // fire at the next tick, and D a minute later on time.
        EXPECT_EQ(Titles(), std::vector<AnsiString>{"D"});
        TickAt(At(2026, 12, 7, 19, 55) + EncodeTime(0, 0, 0, 900));
        openedInside = opened;
        TickAt(At(2026, 12, 7, 19, 56));
        EXPECT_EQ(opened, all);
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(openedInside, (std::vector<AnsiString>{folder.Path() + "b.txt", folder.Path() + "c.txt"}));
    TickAt(At(2026, 12, 7, 19, 56, 10));
    EXPECT_EQ(opened, all);
    EXPECT_TRUE(Titles().empty());
}

TEST_F(AlarmClockTest, NoNoticeTakesThePlaceAboveAnOpenWarningBox)
{
    Settings({});
    const AnsiString fullScreen = "#NRM #SHD:Koko ruudun ilmoitus näytölle "_a;
    Start({Row("7.12.2026 (MA)", "20:00", fullScreen + "#WV:\"/nowhere/a.wav\" ", "A"),
           Row("7.12.2026 (MA)", "20:01", fullScreen, "B"),
           Row("7.12.2026 (MA)", "20:02", "#NRM #SHD:Normaali ilmoitus näytölle "_a, "C")});
    ExpectBox([&](ModalBox& box) {
        QWidget* warning = box.Form()->Widget();
        // Above the full-screen notice that opened just before it...
        EXPECT_TRUE(warning->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        Flush();
        EXPECT_EQ(QApplication::activeWindow(), warning);
        // ...and above the notices that open while it waits.
        TickAt(At(2026, 12, 7, 19, 56));
        Flush();
        EXPECT_EQ(QApplication::activeWindow(), warning);
        TickAt(At(2026, 12, 7, 19, 57));
        Flush();
        EXPECT_EQ(QApplication::activeWindow(), warning);
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_TRUE(Titles().empty());
}

TEST_F(AlarmClockTest, ClockTextsShowTheWeekdayAndTime)
{
    Settings({});
    Start({});
    TickAt(At(2026, 12, 7, 19, 55) + EncodeTime(0, 0, 0, 700));
    EXPECT_EQ(MainForm->StatusPanel->Panels()->Items(1)->Text(), "Maanantai");
    EXPECT_EQ(MainForm->StatusPanel->Panels()->Items(2)->Text(), "19:55:00");

    TVTanaanForm = new TTVTanaanForm(nullptr);
    TickAt(At(2026, 12, 8, 0, 1, 2));
    EXPECT_EQ(TVTanaanForm->Caption(), "Tiistai 8. Joulukuuta 2026, klo. 00:01:02");
    // The weekday is the calendar day's, not the TV day's.
    EXPECT_EQ(MainForm->StatusPanel->Panels()->Items(1)->Text(), "Tiistai");
    delete TVTanaanForm;
    TVTanaanForm = nullptr;
}

TEST_F(AlarmClockTest, ThreeBeepsAreThreeTunesOnThreeTicksThenTheTimerStops)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:Vain lisäasetukset #PCS3 "_a)});
    const int windows = VisibleWindows();
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(VisibleWindows(), windows) << "extras only: no notice window";
    EXPECT_TRUE(MainForm->BeepTimer->Enabled());
    EXPECT_EQ(MainForm->BeepsLeft, 3);

    RecordingToneSink tones;
    for (int tick = 0; tick < 3; ++tick) {
        MainForm->BeepTimerTimer(nullptr);
        EXPECT_TRUE(MainForm->BeepTimer->Enabled());
    }
    MainForm->BeepTimerTimer(nullptr);
    EXPECT_FALSE(MainForm->BeepTimer->Enabled());
    const std::vector<double> tune = {2093, 0, 1976, 0, 1857, 0};
    std::vector<double> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), tune.begin(), tune.end());
    EXPECT_EQ(tones.Sequence(), expected);
}

TEST_F(AlarmClockTest, InTheNotificationAreaTheTaskbarEntryStaysHidden)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:Vain lisäasetukset "_a, "A"),
           Row("7.12.2026 (MA)", "20:01", "#NRM #SHD:Vain lisäasetukset "_a, "B")});
    app.ShowTaskbarWindow(true);
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_TRUE(app.TaskbarWindowVisible());
    MainForm->Tray->SetActive(true);
    TickAt(At(2026, 12, 7, 19, 56));
    EXPECT_FALSE(app.TaskbarWindowVisible());
    MainForm->Tray->SetActive(false);
}

TEST_F(AlarmClockTest, NormalNoticeShowsTheAlarmAndClosingItEndsTheBeeps)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:Normaali ilmoitus näytölle #PCS3 "_a),
           Row("7.12.2026 (MA)", "20:30", "#NRM #SHD:Koko ruudun ilmoitus näytölle "_a, "Elokuva")});
    TickAt(At(2026, 12, 7, 19, 55));
    Flush();
    QPointer<QWidget> notice = WindowCaptioned("TV1: 20:00 Uutiset  ");
    ASSERT_TRUE(notice);
    EXPECT_TRUE(MainForm->BeepTimer->Enabled());
    notice->close();
    Flush();
    EXPECT_FALSE(MainForm->BeepTimer->Enabled());

    const int windows = VisibleWindows();
    TickAt(At(2026, 12, 7, 20, 25));
    Flush();
    EXPECT_EQ(VisibleWindows(), windows + 1) << "the full-screen notice";
    EXPECT_FALSE(MainForm->BeepTimer->Enabled()) << "no #PCS, no beeps";
}

} // namespace
} // namespace alarm_test
