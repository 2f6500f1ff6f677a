// The programme links of the table views in the real main window: the information box, the
// alarm its second button adds (a programme after midnight on the next calendar date), the
// duplicate that is reported instead, and the links that show nothing.
#include "app/MainWindowFixture.h"
#include "alarms/AlarmFile.h"
#include "app/ProgrammeLink.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/MenuItem.h"
#include "shell/BrowserHost.h"
#include <cerrno>
#include <fstream>
#include <iterator>

namespace app_test {
namespace {

const AnsiString kAddButton = " &Lisää hälytyksiin "_a;
const AnsiString kActions = "#NRM #SHD:Normaali ilmoitus näytölle #PCS3 "_a;

class ProgrammeLinks : public MainWindowTest {
protected:
    // `clockInCells` is the setting "KloAika": "0" puts the titles alone into the table cells.
    void Start(const char* clockInCells = "1",
               const std::vector<fixture::Programme>& canal = {{"08:00", "Elokuva", "Kuvaus"}, {"11:00", "Sarja", "Jakso 2"}})
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali", "[Näkymät]",
                       std::string("KloAika=") + clockInCells, "OmiaNäkymiä=1", "OmaNäkymä0=A:Taulukko:TV1;Canal+;",
                       "OmaNäkymä1=B:Taulukko 2:TV1;Canal+;", "[Hälytys]", "Tyyppi=Normaali ilmoitus näytölle",
                       "PCSpeakerKäytössä=1", "PCSpeakerTimes=3"});
        WriteWeek7("TV1", WednesdayProgrammes());
        WriteWeek7("Canal+", canal);
        StartWindow();
    }

    void OpenView(int view) { MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2 + view)); }

    // The link the page writes for the programme whose cell shows `title`.
    AnsiString LinkTo(const AnsiString& title) const
    {
        const TStringGrid& grid = *MainForm->ListingGrid;
        for (int row = 1; row < grid.RowCount(); ++row)
            for (int col = 1; col < grid.ColCount(); ++col)
                if (StripTags(grid.Cells(col, row)).find(title) != AnsiString::npos)
                    return "##&" + std::to_string(col) + "-" + std::to_string(row);
        ADD_FAILURE() << "no cell shows " << title;
        return "";
    }

    // Hands the address to the window as the browser does; true when it was cancelled.
    bool Navigate(const AnsiString& url)
    {
        bool cancel = false;
        MainForm->WWW->OnBeforeNavigate2(MainForm->WWW, nullptr, url, 0, "", "", "", cancel);
        return cancel;
    }

    void AnswerAdd() { ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press(kAddButton)); }); }

};

AlarmRow Row(const AnsiString& caption, const AnsiString& channel, const AnsiString& time, const AnsiString& title,
             const AnsiString& description)
{
    AlarmRow row;
    row.Caption = caption;
    row.SubItems = {channel, time, title, "", description, kActions};
    return row;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ProgrammeLinks, LinkAfterMidnightShowsTheProgrammeAndAddsItsAlarmOnTheNextDate)
{
    Start();
    OpenView(0);
    AnswerAdd();
    EXPECT_TRUE(Navigate(LinkTo("Yöelokuva"_a)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, TModalKind::MessageBox);
    EXPECT_EQ(boxes[0].caption, "Info");
    EXPECT_EQ(boxes[0].text, "TV1, Keskiviikko 11.2.2026\r\n\r\n00:30 Yöelokuva\r\nElokuva yöhön.\r\n"_a);
    EXPECT_EQ(boxes[0].buttons, (std::vector<AnsiString>{"OK", kAddButton}));

    const AlarmRow expected = Row("12.2.2026 (KE)", "TV1", "00:30", "Yöelokuva"_a, "Elokuva yöhön."_a);
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecordText(), expected.RecordText());
    // Kept at once, not only at shutdown.
    EXPECT_EQ(ReadFile(folder.Path() + "QEX.ALS"), AlarmFileText({expected}));
}

TEST_F(ProgrammeLinks, TheSameAlarmTwiceIsReportedAndNotAdded)
{
    // A title that only begins with this one is another programme.
    fixture::WriteBytes(folder.Path() + "QEX.ALS",
                        AlarmFileText({Row("12.2.2026 (KE)", "TV1", "00:30", "Yöelokuva 2"_a, "x")}));
    Start();
    OpenView(0);
    AnswerAdd();
    Navigate(LinkTo("Yöelokuva"_a));
    ASSERT_EQ(MainForm->AlarmRows().size(), 2u);

    AnswerAdd();
    ExpectOk();
    EXPECT_TRUE(Navigate(LinkTo("Yöelokuva"_a)));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, "Valittu ohjelma on jo hälytyksissä \r\n\r\n(00:30 Yöelokuva)"_a);
    EXPECT_EQ(boxes[2].buttons, std::vector<AnsiString>{"OK"});
    EXPECT_EQ(MainForm->AlarmRows().size(), 2u);
}

TEST_F(ProgrammeLinks, AnAlarmFileStartUpCouldNotReadIsNotReplacedByTheAdd)
{
    const std::string kept = AlarmFileText({Row("12.2.2026 (KE)", "TV1", "00:30", "Tallessa", "x")});
    fixture::WriteBytes(folder.Path() + "QEX.ALS", kept);
    SetFileFault([](const AnsiString& path, bool writing) {
        return !writing && ExtractFileName(path) == "QEX.ALS" ? EIO : 0;
    });
    Start();
    SetFileFault(nullptr);
    ASSERT_EQ(errors.size(), 1u) << "the read error itself";
    errors.clear();
    OpenView(0);
    AnswerAdd();
    ExpectBox([](ModalBox& box) {
        EXPECT_NE(box.Text().find("QEX.ALS"), AnsiString::npos) << box.Text();
        EXPECT_TRUE(box.Press("OK"));
    });
    Navigate(LinkTo("Yöelokuva"_a));
    EXPECT_EQ(MainForm->AlarmRows().size(), 1u) << "the alarm stays for the session";
    EXPECT_EQ(ReadFile(folder.Path() + "QEX.ALS"), kept);
}

TEST_F(ProgrammeLinks, OkAddsNothingAndOtherAddressesNavigate)
{
    Start();
    OpenView(0);
    ExpectOk();
    EXPECT_TRUE(Navigate(LinkTo("Sarja")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Canal+, Keskiviikko 11.2.2026\r\n\r\n11:00 Sarja\r\nJakso 2\r\n");
    EXPECT_TRUE(MainForm->AlarmRows().empty());
    EXPECT_FALSE(FileExists(folder.Path() + "QEX.ALS"));
    // No box for an address that is no programme link, and it is not held back.
    EXPECT_FALSE(Navigate("about:blank"));
    EXPECT_FALSE(Navigate("#alku"));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ProgrammeLinks, TitleOnlySecondTableTakesTheTimeFromItsRow)
{
    // "Taulukko 2" keeps the late-night marker in its time column; with "KloAika" 0 the cells
    // hold titles only. A programme without a description gets its title in the row.
    Start("0");
    OpenView(1);
    AnswerAdd();
    EXPECT_TRUE(Navigate(LinkTo("Lopetus")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "TV1, Keskiviikko 11.2.2026\r\n\r\nLopetus\r\n\r\n");
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecordText(), Row("12.2.2026 (KE)", "TV1", "01:45", "Lopetus", "Lopetus").RecordText());
}

// The pages write listing text as text; a link reads it back as the listing holds it, so the box
// and the alarm show it unchanged, and the alarm colours the programme in either table.
TEST_F(ProgrammeLinks, TextWithMarkupCharactersComesBackAsTheListingHoldsIt)
{
    const AnsiString title = "Tom & Jerry \"3\" <3";
    const AnsiString description = "Klassikko & <b>muuta</b>";
    Start("1", {{"08:00", title, description}, {"11:00", "Sarja", "Jakso 2"}});
    OpenView(0);
    AnswerAdd();
    EXPECT_TRUE(Navigate(LinkTo("Jerry")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Canal+, Keskiviikko 11.2.2026\r\n\r\n08:00 " + title + "\r\n" + description + "\r\n");
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecordText(), Row("11.2.2026 (KE)", "Canal+", "08:00", title, description).RecordText());

    // The alarm colour shows where colourings are switched on.
    IniWriteValue("Väritys"_a, "Käytössä"_a, "1", 'S');
    for (int view : {0, 1}) {
        SCOPED_TRACE(view);
        OpenView(view);
        const AnsiString cell = MainForm->ListingGrid->Cells(2, 2);
        EXPECT_NE(cell.find("<FONT COLOR=\"#FF0000\">Tom &amp; Jerry &quot;3&quot; &lt;3</FONT>"), AnsiString::npos)
            << cell;
    }
}

TEST_F(ProgrammeLinks, LinksWithoutAProgrammeShowNothingAndNeverNavigate)
{
    Start();
    // Before any table the window has no grid.
    EXPECT_TRUE(Navigate("##&1-1"));
    OpenView(0);
    // Canal+ has nothing at 06:00, the first row; and cells outside the grid.
    EXPECT_TRUE(Navigate("##&2-1"));
    EXPECT_TRUE(Navigate("##&7-3"));
    EXPECT_TRUE(Navigate("##&1-99999"));
    EXPECT_TRUE(boxes.empty());
    // The pages write only numbers; anything else is a conversion error, still not navigated.
    bool cancel = false;
    EXPECT_THROW(MainForm->WWWBeforeNavigate2(MainForm, nullptr, "##&x-1", 0, "", "", "", cancel), EConvertError);
    EXPECT_TRUE(cancel);
}

} // namespace
} // namespace app_test
