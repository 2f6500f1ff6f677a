// A program left running while the clock moves on: when the TV day turns at 05:00 the shown day,
// the week dates, the week tabs, the day menu and the on-air mark follow, whichever way the clock
// went, and the user's channel, view and chosen day stay where they still can.
#include "alarmlist/AlarmWindowFixture.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/TabControl.h"

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

} // namespace
