// The programme on air now, next and after next, across the 05:00 day boundary and midnight.
#include "listings/NowOnAir.h"
#include "ViewFixture.h"

using namespace views_test;

namespace {

class NowOnAir : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        WriteWednesday("TV1", {{"06:00", "Huomenta Suomi", "Aamun ohjelmaa"},
                               {"12:00", "Uutiset", "Keskipäivän uutiset"},
                               {"18:00", "Elokuva", "Kotimainen elokuva"},
                               {"23:00", "Iltauutiset", "Päivän tapahtumat"},
                               {"01:00", "Yöelokuva", "Kauhua"}});
    }

    // The three searches of the what-is-on-now view, at `now`, for the TV day 11.2.2026.
    std::vector<AnsiString> Searches(TDateTime now)
    {
        ClockSet(now);
        return {GetNowOnAir("01", kShownDate, false, false), GetNowOnAir("01", kShownDate, true, false),
                GetNowOnAir("01", kShownDate, true, true)};
    }

    static AnsiString Text(const char* line, const char* description)
    {
        return cp1252::FromUtf8(line) + "\xA4\xA4" + cp1252::FromUtf8(description);
    }
};

} // namespace

TEST_F(NowOnAir, DuringTheDayGivesOnAirNextAndAfterNext)
{
    EXPECT_EQ(Searches(At(11, 12, 30)),
              (std::vector<AnsiString> {Text("12:00 Uutiset", "Keskipäivän uutiset"),
                                        Text("18:00 Elokuva", "Kotimainen elokuva"),
                                        Text("23:00 Iltauutiset", "Päivän tapahtumat")}));
}

TEST_F(NowOnAir, BeforeTheFirstStartOnlyTheFirstProgrammeIsFound)
{
    ClockSet(At(11, 5, 30));
    EXPECT_EQ(GetNowOnAir("01", kShownDate, false, false), Text("06:00 Huomenta Suomi", "Aamun ohjelmaa"));
    EXPECT_EQ(GetNowOnAir("01", kShownDate, true, false), "");
    EXPECT_EQ(GetNowOnAir("01", kShownDate, true, true), "");
    EXPECT_EQ(GetNowOnAir("01", kShownDate, false, true), Text("06:00 Huomenta Suomi", "Aamun ohjelmaa"));
}

TEST_F(NowOnAir, AfterMidnightProgrammesOrderAfterTheEvening)
{
    // 23:50: the 01:00 programme (31000) lies ahead, so the 23:00 one is on air and nothing
    // follows the 01:00 one: the third search stops at the last programme line.
    EXPECT_EQ(Searches(At(11, 23, 50)),
              (std::vector<AnsiString> {Text("23:00 Iltauutiset", "Päivän tapahtumat"),
                                        Text("01:00 Yöelokuva", "Kauhua"), ""}));
    // 01:10 of the next calendar day still belongs to the TV day of the 11th: now reads 31010.
    EXPECT_EQ(Searches(At(12, 1, 10)), (std::vector<AnsiString> {Text("01:00 Yöelokuva", "Kauhua"), "", ""}));
    EXPECT_EQ(Searches(At(12, 0, 30))[0], Text("23:00 Iltauutiset", "Päivän tapahtumat"));
}

TEST_F(NowOnAir, AfterTheLastStartNothingFollows)
{
    WriteWednesday("TV2", {{"06:00", "Aamu", "a"}, {"20:00", "Ilta", "b"}});
    ClockSet(At(11, 21, 0));
    EXPECT_EQ(GetNowOnAir("02", kShownDate, false, false), "20:00 Ilta\xA4\xA4" "b");
    EXPECT_EQ(GetNowOnAir("02", kShownDate, true, false), "");
    EXPECT_EQ(GetNowOnAir("02", kShownDate, true, true), "");
}

TEST_F(NowOnAir, NoListingGivesNothing)
{
    EXPECT_EQ(GetNowOnAir("02", kShownDate, false, false), "");
    EXPECT_EQ(GetNowOnAir("01", "12.2.2026", false, false), "");
    WriteWednesdayText("TV2", "");
    EXPECT_EQ(GetNowOnAir("02", kShownDate, false, false), "");
    EXPECT_EQ(GetNowOnAir("02", kShownDate, true, true), "");
}

TEST_F(NowOnAir, DescriptionIsTheLineAfterTheProgrammeItself)
{
    // A description that reads like a later programme line must not be taken for that programme,
    // and a line with another separator than ':' still gets its own description.
    WriteWednesdayText("TV2", "06:00 Aamu\r\n12:00 Uutiset\r\n12.00 Uutiset\r\nOikea kuvaus\r\n");
    ClockSet(At(11, 13, 0));
    EXPECT_EQ(GetNowOnAir("02", kShownDate, false, false), "12:00 Uutiset\xA4\xA4Oikea kuvaus");
}

// A programme line tells only its minute: through the whole of a programme's start minute the one
// before it is still on air, and the line's own time counts as ahead of the clock, seconds or not.
TEST_F(NowOnAir, ThroughAProgrammesStartMinuteTheOneBeforeIsOnAir)
{
    const std::vector<AnsiString> beforeNoon {Text("06:00 Huomenta Suomi", "Aamun ohjelmaa"),
                                              Text("12:00 Uutiset", "Keskipäivän uutiset"),
                                              Text("18:00 Elokuva", "Kotimainen elokuva")};
    const std::vector<AnsiString> afterNoon {Text("12:00 Uutiset", "Keskipäivän uutiset"),
                                             Text("18:00 Elokuva", "Kotimainen elokuva"),
                                             Text("23:00 Iltauutiset", "Päivän tapahtumat")};
    // The last programme of the day, after midnight, starts at 01:00 of the 12th.
    const std::vector<AnsiString> beforeNight {Text("23:00 Iltauutiset", "Päivän tapahtumat"),
                                               Text("01:00 Yöelokuva", "Kauhua"), ""};
    const std::vector<AnsiString> night {Text("01:00 Yöelokuva", "Kauhua"), "", ""};
    const TDateTime halfMinute = EncodeTime(0, 0, 30, 0);
    const struct {
        TDateTime now;
        std::vector<AnsiString> searches;
    } cases[] = {
        {At(11, 11, 59) + halfMinute, beforeNoon},
        {At(11, 12, 0) + halfMinute, beforeNoon},
        {At(11, 12, 0) + EncodeTime(0, 0, 59, 999), beforeNoon},
        {At(11, 12, 1) + halfMinute, afterNoon},
        {At(12, 0, 59) + halfMinute, beforeNight},
        {At(12, 1, 0) + halfMinute, beforeNight},
        {At(12, 1, 1) + halfMinute, night},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Searches(c.now), c.searches) << FormatDateTime("hh:nn:ss.zzz", c.now).c_str();
}
