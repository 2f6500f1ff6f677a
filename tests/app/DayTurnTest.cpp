// A program left running while the clock moves on: when the TV day turns at 05:00 the shown day,
// the week dates, the week tabs, the day menu and the on-air mark follow, whichever way the clock
// went, and the user's channel, view and chosen day stay where they still can.
#include "alarmlist/AlarmWindowFixture.h"
#include "listings/TextRoutines.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/KeyCodes.h"
#include "shell/BrowserHost.h"
#include "support/WebPageDriver.h"
#include <QDir>
#include <QFile>
#include <QMenu>
#include <unistd.h>

namespace {

using alarm_test::At;

class DayTurnTest : public alarm_test::AlarmWindowTest {
protected:
    // TV1 and Canal+ with the same programmes every day of weeks 7 (9.2-15.2) and 8 (16.2-22.2).
    void StartAt(TDateTime moment)
    {
        Settings({}, "TV1;Canal+;");
        const std::vector<app_test::Programme> day = {{"06:00", "Aamu-tv", ""},
                                                      {"09:55", "Ryhmä H", ""},
                                                      {"18:00", "Iltauutiset", ""},
                                                      {"00:30", "Yöelokuva", ""}};
        const std::vector<std::vector<app_test::Programme>> week(7, day);
        for (const char* channel : {"TV1", "Canal+"}) {
            Listing(channel, "07", EncodeDate(2026, 2, 9), week);
            Listing(channel, "08", EncodeDate(2026, 2, 16), week);
        }
        ClockSet(moment);
        Start({});
    }

    static AnsiString Tab(int week) { return MainForm->ViikotTabs->Tabs()->Get(week); }

    // The week tab chosen as a click chooses it.
    static void ShowWeek(int week)
    {
        MainForm->ViikotTabs->SetTabIndex(week);
        MainForm->ViikkoChange(MainForm);
    }

    // The day-menu items with the check mark (1 to 14).
    static std::vector<int> CheckedDays()
    {
        std::vector<int> checked;
        for (int i = 1; i <= 14; ++i)
            if (MainForm->MM_D[i]->Checked())
                checked.push_back(i);
        return checked;
    }

    // The rows of the programme list that carry the on-air mark.
    static std::vector<AnsiString> OnAir()
    {
        std::vector<AnsiString> rows;
        for (int i = 0; i < MainForm->Ohjelmat->Count(); ++i)
            if (MainForm->Ohjelmat->Items()->Get(i).find("<b>") != AnsiString::npos)
                rows.push_back(MainForm->Ohjelmat->Items()->Get(i));
        return rows;
    }
};

TEST_F(DayTurnTest, WeekdayTurnsAtFiveAndTodayFollows)
{
    StartAt(At(2026, 2, 11, 10, 0));
    ASSERT_EQ(MainForm->CurrentDate, "11.2.2026");

    // Past midnight the TV day is still Wednesday's.
    TickAt(At(2026, 2, 12, 4, 59, 59));
    EXPECT_EQ(MainForm->CurrentDate, "11.2.2026");
    EXPECT_EQ(CheckedDays(), std::vector<int>{3});

    TickAt(At(2026, 2, 12, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "12.2.2026");
    EXPECT_EQ(MainForm->CurrentDayIndex, 4);
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 3);
    EXPECT_EQ(MainForm->ViikotTabs->TabIndex(), 0);
    EXPECT_EQ(CheckedDays(), std::vector<int>{4});
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026");
    EXPECT_EQ(Tab(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(Tab(1), "Viikko 8  (16.2 - 22.2)");
    // Thursday's day has not begun at 05:00.
    EXPECT_TRUE(OnAir().empty());
}

TEST_F(DayTurnTest, MondayTurnMovesTheWeeks)
{
    // Started on Sunday evening: the weeks are the one ending today and the next.
    StartAt(At(2026, 2, 15, 23, 20));
    ASSERT_EQ(Tab(0), "Viikko 7  (9.2 - 15.2)");
    ASSERT_EQ(MainForm->CurrentDate, "15.2.2026");

    TickAt(At(2026, 2, 16, 0, 14));
    EXPECT_EQ(MainForm->CurrentDate, "15.2.2026");
    EXPECT_EQ(Tab(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(MainForm->WeekDates[1], "9.2.2026");

    TickAt(At(2026, 2, 16, 6, 30));
    EXPECT_EQ(MainForm->WeekDates[1], "16.2.2026");
    EXPECT_EQ(MainForm->WeekDates[14], "1.3.2026");
    EXPECT_EQ(Tab(0), "Viikko 8  (16.2 - 22.2)");
    EXPECT_EQ(Tab(1), "Viikko 9  (23.2 - 1.3)");
    EXPECT_EQ(MainForm->MM_D[1]->Caption(), "Maanantai\t16.2.2026");
    EXPECT_EQ(MainForm->MM_D[14]->Caption(), "Sunnuntai\t1.3.2026");
    EXPECT_EQ(CheckedDays(), std::vector<int>{1});
    EXPECT_EQ(MainForm->CurrentDate, "16.2.2026");
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 0);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Maanantai 16. Helmikuuta 2026");
    EXPECT_EQ(OnAir(), std::vector<AnsiString>{"<b>06:00 Aamu-tv"});

    // F6 chooses Monday of the new week, with its programme on air.
    MainForm->MM_TanaanClick(nullptr);
    EXPECT_EQ(MainForm->CurrentDate, "16.2.2026");
    EXPECT_EQ(OnAir(), std::vector<AnsiString>{"<b>06:00 Aamu-tv"});
}

TEST_F(DayTurnTest, ChosenChannelAndDayAreKeptWhileTheyExist)
{
    StartAt(At(2026, 2, 11, 10, 0));
    MainForm->V_Kanavat->SetItemIndex(1);
    MainForm->V_KanavatClick(nullptr);
    // Friday of next week.
    MainForm->DayMenuClick(MainForm->MM_D[12]);
    ASSERT_EQ(MainForm->CurrentDate, "20.2.2026");

    TickAt(At(2026, 2, 12, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "20.2.2026");
    EXPECT_EQ(CheckedDays(), std::vector<int>{12});
    EXPECT_EQ(MainForm->CurrentChannel, "Canal+");

    // Over the week change the same Friday moves into the first week tab.
    TickAt(At(2026, 2, 16, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "20.2.2026");
    EXPECT_EQ(MainForm->ViikotTabs->TabIndex(), 0);
    EXPECT_EQ(MainForm->CurrentWeek, 0);
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 4);
    EXPECT_EQ(CheckedDays(), std::vector<int>{5});
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Canal+, Perjantai 20. Helmikuuta 2026");
}

TEST_F(DayTurnTest, ADayThatLeftTheWeeksGivesWayToToday)
{
    StartAt(At(2026, 2, 15, 12, 0));
    // Saturday of the week that ends today.
    MainForm->DayMenuClick(MainForm->MM_D[6]);
    ASSERT_EQ(MainForm->CurrentDate, "14.2.2026");

    TickAt(At(2026, 2, 16, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "16.2.2026");
    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), 0);
    EXPECT_EQ(CheckedDays(), std::vector<int>{1});
}

TEST_F(DayTurnTest, ClockJumpingBackTakesTheCalendarBack)
{
    StartAt(At(2026, 2, 16, 10, 0));
    ASSERT_EQ(Tab(0), "Viikko 8  (16.2 - 22.2)");

    TickAt(At(2026, 2, 15, 20, 0));
    EXPECT_EQ(MainForm->CurrentDate, "15.2.2026");
    EXPECT_EQ(MainForm->WeekDates[1], "9.2.2026");
    EXPECT_EQ(Tab(0), "Viikko 7  (9.2 - 15.2)");
    EXPECT_EQ(Tab(1), "Viikko 8  (16.2 - 22.2)");
    EXPECT_EQ(CheckedDays(), std::vector<int>{7});
    EXPECT_EQ(OnAir(), std::vector<AnsiString>{"<b>18:00 Iltauutiset"});
}

TEST_F(DayTurnTest, TheDayEachWeekTabRemembersIsForgottenWhenTheWeeksMove)
{
    StartAt(At(2026, 2, 11, 10, 0));
    // Friday of next week, then back: next week's tab remembers its Friday.
    ShowWeek(1);
    MainForm->ViikonPaivatTabs->SetTabIndex(4);
    MainForm->ViikonPaivaChange(MainForm);
    ASSERT_EQ(MainForm->CurrentDate, "20.2.2026");
    ShowWeek(0);
    ASSERT_EQ(MainForm->CurrentDate, "11.2.2026");

    // A turn within the week keeps what the tabs remember.
    TickAt(At(2026, 2, 12, 5, 0));
    ASSERT_EQ(MainForm->CurrentDate, "12.2.2026");
    ShowWeek(1);
    EXPECT_EQ(MainForm->CurrentDate, "20.2.2026");
    ShowWeek(0);
    EXPECT_EQ(MainForm->CurrentDate, "12.2.2026");

    // After the Monday turn the second tab is another week: it opens on its Monday.
    TickAt(At(2026, 2, 16, 5, 0));
    ASSERT_EQ(MainForm->CurrentDate, "16.2.2026");
    ShowWeek(1);
    EXPECT_EQ(MainForm->CurrentDate, "23.2.2026");
    ShowWeek(0);
    EXPECT_EQ(MainForm->CurrentDate, "16.2.2026");
}

TEST_F(DayTurnTest, WhenTheShownDayMovesToTheSecondTabTheFirstOpensOnToday)
{
    StartAt(At(2026, 2, 18, 10, 0));
    // Friday of this week, remembered by its tab when the other week is looked at.
    MainForm->DayMenuClick(MainForm->MM_D[5]);
    ShowWeek(1);
    ShowWeek(0);
    ASSERT_EQ(MainForm->CurrentDate, "20.2.2026");

    // The clock goes back a week: that Friday now lies in the second tab.
    TickAt(At(2026, 2, 15, 20, 0));
    ASSERT_EQ(MainForm->CurrentDate, "20.2.2026");
    ASSERT_EQ(MainForm->CurrentWeek, 1);
    ShowWeek(0);
    EXPECT_EQ(MainForm->CurrentDate, "15.2.2026");
}

TEST_F(DayTurnTest, TheTurnIntoTheWeekOfNewYearDatesAndNumbersBothWeeks)
{
    Settings({}, "TV1;");
    ClockSet(At(2026, 12, 27, 20, 0));
    Start({});
    ASSERT_EQ(MainForm->WeekDates[1], "21.12.2026");

    TickAt(At(2026, 12, 28, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "28.12.2026");
    EXPECT_EQ(MainForm->WeekDates[1], "28.12.2026");
    EXPECT_EQ(MainForm->WeekDates[7], "3.1.2027");
    EXPECT_EQ(MainForm->WeekDates[14], "10.1.2027");
    EXPECT_EQ(Tab(0), "Viikko 53  (28.12 - 3.1)");
    EXPECT_EQ(Tab(1), "Viikko 2  (4.1 - 10.1)");
    EXPECT_EQ(MainForm->MM_D[7]->Caption(), "Sunnuntai\t3.1.2027");
    EXPECT_EQ(CheckedDays(), std::vector<int>{1});
}

TEST_F(DayTurnTest, OtherViewsStayShown)
{
    StartAt(At(2026, 2, 11, 10, 0));
    MainForm->V_Muut->SetItemIndex(0);
    MainForm->V_MuutClick(nullptr);
    ASSERT_EQ(MainForm->Caption(), "QEX 2000 - Hälytykset"_a);

    TickAt(At(2026, 2, 12, 5, 0));
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Hälytykset"_a);
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), 0);
    EXPECT_EQ(MainForm->CurrentDate, "12.2.2026");
    EXPECT_EQ(CheckedDays(), std::vector<int>{4});
    // Back in the channel view the new day is shown.
    MainForm->V_KanavatClick(nullptr);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026");
}

// The programme list's pop-up menu left open while the day turns at 05:00 or the clock jumps a
// day: its add saves the programme that was selected when it opened, though the list underneath
// has moved on.
struct MenuOverAMove : app_test::NamedCase {
    TDateTime opened;
    TDateTime moved;
    bool throughDialog; // "Lisää hälytyksiin (valituilla asetuksilla)", answered with OK
};

class MenuOverAMoveTest : public alarm_test::AlarmWindowTest,
                          public ::testing::WithParamInterface<MenuOverAMove> {};

TEST_P(MenuOverAMoveTest, TheMenusAddSavesWhatWasSelectedWhenItOpened)
{
    Settings({}, "TV1;");
    WriteDayNamedWeek("TV1", "08", EncodeDate(2026, 2, 16));
    ClockSet(GetParam().opened);
    Start({});
    // Tuesday 17.2, whether or not it is the TV day yet.
    MainForm->DayMenuClick(MainForm->MM_D[2]);
    ASSERT_TRUE(SelectRowAt("20:00"));
    MainForm->Ohjelmat_PopupMenu->Popup(100, 100);
    Flush();

    TickAt(GetParam().moved);
    if (GetParam().throughDialog) {
        ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("OK")); });
        MainForm->Lishlytyksiinvalitutasetukset1->Click();
    } else {
        MainForm->Ohjelmat_Lishlytyksiin1->Click();
    }
    MainForm->Ohjelmat_PopupMenu->Items()->SubMenu()->hide();

    EXPECT_TRUE(app_test::OneAlarm("17.2.2026 (TI)", "20:00", "TV1 Ti17.2 20:00"));
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText(MainForm->AlarmRows()));
}

INSTANTIATE_TEST_SUITE_P(Moves, MenuOverAMoveTest,
                         ::testing::Values(MenuOverAMove{"FiveOClockTurn", At(2026, 2, 17, 4, 59, 47),
                                                         At(2026, 2, 17, 5, 0), false},
                                           MenuOverAMove{"DayJump", At(2026, 2, 17, 12, 0), At(2026, 2, 18, 12, 0),
                                                         false},
                                           MenuOverAMove{"DayJumpThroughTheDialog", At(2026, 2, 17, 12, 0),
                                                         At(2026, 2, 18, 12, 0), true}),
                         app_test::CaseName());

// Once the menu's item has run, the menu's view of the list is spent: the item run again
// without the menu opening (by the program, not a key) takes the list as it stands.
using MenuChoiceTest = alarm_test::AlarmWindowTest;

TEST_F(MenuChoiceTest, ServesTheMenusItemOnce)
{
    Settings({}, "TV1;");
    WriteDayNamedWeek("TV1", "08", EncodeDate(2026, 2, 16));
    ClockSet(At(2026, 2, 17, 12, 0));
    Start({});
    ASSERT_TRUE(SelectRowAt("19:30"));
    MainForm->Ohjelmat_PopupMenu->Popup(100, 100);
    Flush();
    MainForm->Ohjelmat_Lishlytyksiin1->Click();
    MainForm->Ohjelmat_PopupMenu->Items()->SubMenu()->hide();

    ASSERT_TRUE(SelectRowAt("20:00"));
    MainForm->Ohjelmat_Lishlytyksiin1->Click();

    std::vector<AnsiString> times;
    for (const AlarmRow& row : MainForm->AlarmRows())
        times.push_back(row.SubItems[afTime]);
    EXPECT_EQ(times, (std::vector<AnsiString>{"19:30", "20:00"}));
}

// A table view of TV1 in the week of Monday 7.12.2026: a film on Monday, the news on Tuesday and
// a series on Wednesday, so a page, its links and its caption each tell which day they belong to.
class TableDayTurnTest : public alarm_test::AlarmWindowTest {
protected:
    void StartWithTable(TDateTime moment)
    {
        Settings({"[Näkymät]", "OmiaNäkymiä=1", "OmaNäkymä0=A:Taulukko:TV1;"}, "TV1;");
        Listing("TV1", "50", EncodeDate(2026, 12, 7),
                {{{"14:05", "Elokuva", "Kuvaus."}}, {{"20:00", "Uutiset", "Päivän uutiset."}}, {{"21:00", "Sarja", ""}}});
        ClockSet(moment);
        Start({});
    }

    static void PressKey(WORD key) { MainForm->FormKeyDown(MainForm, key, {}); }
    static void OpenTable() { MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2)); }

    // The link the page writes for the programme whose cell shows `title`, or "" when none does.
    static AnsiString LinkTo(const AnsiString& title)
    {
        const TStringGrid& grid = *MainForm->ListingGrid;
        for (int row = 1; row < grid.RowCount(); ++row)
            for (int col = 1; col < grid.ColCount(); ++col)
                if (StripTags(grid.Cells(col, row)).find(title) != AnsiString::npos)
                    return "##&" + std::to_string(col) + "-" + std::to_string(row);
        return "";
    }

    // Clicks the programme's link and adds its alarm; the text of the box it showed.
    AnsiString ClickAndAdd(const AnsiString& title)
    {
        const AnsiString link = LinkTo(title);
        if (link.empty()) {
            ADD_FAILURE() << "the page shows no " << title;
            return "";
        }
        ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press(" &Lisää hälytyksiin "_a)); });
        bool cancel = false;
        MainForm->WWW->OnBeforeNavigate2(MainForm->WWW, nullptr, link, 0, "", "", "", cancel);
        EXPECT_TRUE(cancel);
        return boxes.empty() ? AnsiString() : boxes.back().text;
    }
};

TEST_F(TableDayTurnTest, ATableChosenAfterTheAlarmViewTurnsWithTheDay)
{
    StartWithTable(At(2026, 12, 7, 12, 0));
    PressKey(VK_F4);
    OpenTable();
    ASSERT_EQ(MainForm->Caption(), "QEX 2000 - Maanantai 7. Joulukuuta 2026");
    ASSERT_FALSE(LinkTo("Elokuva").empty());

    TickAt(At(2026, 12, 8, 5, 0));
    EXPECT_EQ(MainForm->CurrentDate, "8.12.2026");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Tiistai 8. Joulukuuta 2026");
    EXPECT_TRUE(LinkTo("Elokuva").empty()) << "Monday's page is still shown";
    EXPECT_EQ(ClickAndAdd("Uutiset"), "TV1, Tiistai 8.12.2026\r\n\r\n20:00 Uutiset\r\nPäivän uutiset.\r\n"_a);
    EXPECT_TRUE(app_test::OneAlarm("8.12.2026 (TI)", "20:00", "Uutiset"));

    // The next day is the day after the one shown.
    PressKey(VK_MULTIPLY);
    EXPECT_EQ(MainForm->CurrentDate, "9.12.2026");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Keskiviikko 9. Joulukuuta 2026");
    EXPECT_FALSE(LinkTo("Sarja").empty());
    // The day menu acts in the table as it does in any own view.
    MainForm->DayMenuClick(MainForm->MM_D[1]);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Maanantai 7. Joulukuuta 2026");
}

TEST_F(TableDayTurnTest, ADayKeyDuringADownloadMovesThePageAndItsLinks)
{
    StartWithTable(At(2026, 12, 7, 12, 0));
    OpenTable();
    // A download lets the keys run while it waits for the server.
    MainForm->Downloading = true;
    PressKey(VK_MULTIPLY);
    ASSERT_EQ(MainForm->CurrentDate, "8.12.2026");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Tiistai 8. Joulukuuta 2026");
    EXPECT_TRUE(LinkTo("Elokuva").empty()) << "Monday's page is still shown";

    EXPECT_EQ(ClickAndAdd("Uutiset"), "TV1, Tiistai 8.12.2026\r\n\r\n20:00 Uutiset\r\nPäivän uutiset.\r\n"_a);
    MainForm->Downloading = false;
    EXPECT_TRUE(app_test::OneAlarm("8.12.2026 (TI)", "20:00", "Uutiset"));
}

// A link's box left open while the day turns at 05:00 or the clock jumps a day: it adds the
// programme and the day it showed, and the view under it has moved on to the new day.
struct BoxOverAMove : app_test::NamedCase {
    TDateTime opened;
    TDateTime answered;
};

class BoxOverAMoveTest : public TableDayTurnTest, public ::testing::WithParamInterface<BoxOverAMove> {};

TEST_P(BoxOverAMoveTest, ALinksBoxAddsTheDayItShowed)
{
    StartWithTable(GetParam().opened);
    OpenTable();
    ASSERT_EQ(MainForm->CurrentDate, "8.12.2026");
    const AnsiString link = LinkTo("Uutiset");
    ASSERT_FALSE(link.empty());
    ExpectBox([&](ModalBox& box) {
        EXPECT_EQ(box.Text(), "TV1, Tiistai 8.12.2026\r\n\r\n20:00 Uutiset\r\nPäivän uutiset.\r\n"_a);
        TickAt(GetParam().answered);
        EXPECT_TRUE(box.Press(" &Lisää hälytyksiin "_a));
    });
    bool cancel = false;
    MainForm->WWW->OnBeforeNavigate2(MainForm->WWW, nullptr, link, 0, "", "", "", cancel);

    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Keskiviikko 9. Joulukuuta 2026");
    EXPECT_TRUE(app_test::OneAlarm("8.12.2026 (TI)", "20:00", "Uutiset"));
}

INSTANTIATE_TEST_SUITE_P(Moves, BoxOverAMoveTest,
                         ::testing::Values(BoxOverAMove{"FiveOClockTurn", At(2026, 12, 9, 4, 59, 44),
                                                        At(2026, 12, 9, 5, 0)},
                                           BoxOverAMove{"DayJump", At(2026, 12, 8, 12, 0), At(2026, 12, 9, 12, 0)}),
                         app_test::CaseName());

// The browser helpers this process runs now.
std::vector<pid_t> HelperProcesses()
{
    std::vector<pid_t> helpers;
    for (const QString& name : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat("/proc/" + name + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state parent ..."
        const QByteArray line = stat.readAll();
        const qsizetype nameEnd = line.lastIndexOf(')');
        const QList<QByteArray> rest = line.mid(nameEnd + 2).split(' ');
        if (line.contains("(qex-browser)") && rest.size() > 1 && rest[0] != "Z" && rest[1].toInt() == ::getpid())
            helpers.push_back(name.toInt());
    }
    return helpers;
}

TEST_F(TableDayTurnTest, OutOfSightTheTurnStartsNoEngineAndTheNewDayShowsWhenTheWindowIsBack)
{
    struct OutOfSight {
        const char* how;
        std::function<void()> leave, comeBack;
    };
    const OutOfSight ways[] = {
        {"minimised", [] { Application->Minimize(); }, [] { Application->Restore(); }},
        {"in the tray", [] { MainForm->Pienennohjelmatykaluriville1Click(nullptr); },
         [] { MainForm->TrayClick(nullptr, mbLeft, {}, 0, 0); }},
    };
    StartWithTable(At(2026, 12, 7, 12, 0));
    TBrowserHost& browser = *MainForm->WWW;
    browser.SetEngineIdleTime(200);
    int day = 8;
    for (const OutOfSight& way : ways) {
        SCOPED_TRACE(way.how);
        OpenTable();
        ASSERT_TRUE(webpage::WaitForPage(browser));
        ASSERT_FALSE(HelperProcesses().empty());
        way.leave();
        ASSERT_TRUE(webpage::RunUntil([] { return HelperProcesses().empty(); }));

        TickAt(At(2026, 12, day, 5, 0));
        ASSERT_EQ(MainForm->CurrentDate, IntToStr(day) + ".12.2026");
        EXPECT_EQ(webpage::ViewOf(browser), nullptr);
        EXPECT_TRUE(HelperProcesses().empty());

        way.comeBack();
        ASSERT_TRUE(webpage::RunUntil([&] { return webpage::ViewOf(browser) != nullptr; }));
        const AnsiString text = webpage::DocumentText(browser);
        EXPECT_NE(text.find(day == 8 ? "Uutiset" : "Sarja"), AnsiString::npos) << text;
        EXPECT_FALSE(HelperProcesses().empty());
        ++day;
    }
}

} // namespace
