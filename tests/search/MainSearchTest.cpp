// The search, the title the automatic-alarm command offers from its results and the other
// lists, and the IMDb look-up in the real main window: the input boxes answered by the test,
// the stored listings written as bytes, and a recording opener in place of the desktop's.
#include "app/MainWindowFixture.h"
#include "listings/Settings.h"
#include "search/RecordBytes.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/Screen.h"
#include "platform/services/ShellExecute.h"
#include <QMetaObject>

namespace app_test {
namespace {

class Searching : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetDesktopOpener([this](const AnsiString& target) {
            opened.push_back(target);
            return desktopHasBrowser;
        });
    }
    void TearDown() override
    {
        SetDesktopOpener(nullptr);
        MainWindowTest::TearDown();
    }

    // TV1 on Wednesday and Friday of week 7 and Monday of week 8, Canal+ on Thursday of week 7.
    void Start()
    {
        WriteUsualSettings();
        std::vector<std::vector<Programme>> week7(7);
        for (const Programme& p : WednesdayProgrammes())
            week7[2].push_back({p.time, Cp(p.title.c_str()), Cp(p.description.c_str())});
        week7[4] = {{"20:30", "Uutiset", ""}};
        fixture::WriteWeek(folder.Path() + "Tiedot/", 1, "07", 2026, 2, 9, week7);
        std::vector<std::vector<Programme>> week8(7);
        week8[0] = {{"07:00", "Huomenta", Cp("Aamun uutiset ja sää.")}};
        fixture::WriteWeek(folder.Path() + "Tiedot/", 1, "08", 2026, 2, 16, week8);
        WriteWeek7("Canal+", {{"08:00", "Elokuva", "Kuvaus"}, {"23:00", "UUTISET", "Canal+ uutiset."}}, 4);
        StartWindow();
    }

    // The search command answered with `text` (nothing when the box is cancelled).
    void SearchFor(const AnsiString& text, TObject* sender)
    {
        ExpectBox([text](ModalBox& box) {
            EXPECT_EQ(box.Kind(), TModalKind::InputQuery);
            EXPECT_EQ(box.Caption(), "Etsi ohjelmatiedoista");
            EXPECT_EQ(box.Text(), "Etsi tekstillä:"_a);
            EXPECT_EQ(box.EditText(0), "");
            box.SetEditText(0, text);
            EXPECT_TRUE(box.Press("OK"));
        });
        MainForm->MM_EtsiohjelmiatallennetuistatiedoistaClick(sender);
    }

    void ExpectSearchEndedCleanly()
    {
        EXPECT_TRUE(MainForm->V_Kanavat->Enabled());
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }

    std::vector<AnsiString> opened;
    bool desktopHasBrowser = true;
};

TEST_F(Searching, FindsEveryStoredProgrammeInFileAndListingOrder)
{
    Start();
    if (!MainForm->MM_PaivaPalkkiOn->Checked())
        MainForm->MM_PaivaPalkkiOnClick(MainForm); // the day bar shown, to see the search hide it
    ASSERT_TRUE(MainForm->ViikotPanel->Visible());
    SearchFor("uutiset", MainForm->MM_Etsiohjelmiatallennetuistatiedoista);

    EXPECT_TRUE(MainForm->SearchMode);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Haun tulokset");
    EXPECT_FALSE(MainForm->ViikotPanel->Visible());
    EXPECT_EQ(Items(MainForm->Ohjelmat),
              (std::vector<AnsiString>{"11.02.2026 (KE) <w2:TV1> 09:00 Uutiset",
                                       "11.02.2026 (KE) <w2:TV1> 18:00 Iltauutiset",
                                       "13.02.2026 (PE) <w2:TV1> 20:30 Uutiset",
                                       "16.02.2026 (MA) <w2:TV1> 07:00 Huomenta",
                                       "12.02.2026 (TO) <w2:Canal+> 23:00 UUTISET"}));
    EXPECT_EQ(Items(MainForm->Keski_Ohjelmainfot),
              (std::vector<AnsiString>{Cp("Päivän uutiset."), "Uutiset.", "", Cp("Aamun uutiset ja sää."),
                                       "Canal+ uutiset."}));
    EXPECT_EQ(SelectedRows(MainForm->Ohjelmat), std::vector<int>{0});
    ASSERT_EQ(MainForm->TiedotText->Lines()->Count(), 2);
    // The pane shows the row without its marks, the channel mark included.
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(0), "11.02.2026 (KE)  09:00 Uutiset");
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(1), Cp("Päivän uutiset."));
    ExpectSearchEndedCleanly();

    // Results stay while the day menu and today's key do nothing; a channel click leaves them.
    MainForm->MM_TanaanClick(MainForm);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Haun tulokset");
    MainForm->V_Kanavat->SetItemIndex(1);
    MainForm->V_KanavatClick(MainForm);
    EXPECT_FALSE(MainForm->SearchMode);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Canal+, Keskiviikko 11. Helmikuuta 2026");
}

TEST_F(Searching, ColouringsApplyToTheResults)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;", "[Väritys]", "Käytössä=1", "OmiaVärityksiä=0",
                   "OmaVäritys0=<c:clblue>Iltauutiset;"});
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();
    SearchFor("UUTISET", MainForm);
    EXPECT_EQ(Items(MainForm->Ohjelmat),
              (std::vector<AnsiString>{"11.02.2026 (KE) <w2:TV1> 09:00 Uutiset",
                                       "<c:clblue>11.02.2026 (KE) <w2:TV1> 18:00 Iltauutiset"}));
}

TEST_F(Searching, TheAutomaticAlarmCommandOffersTheProgrammesTitleInEveryList)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;", "[Muut]", "OletusNäkymä=Normaali", "[Väritys]", "Käytössä=1",
                   "OmiaVärityksiä=0", "OmaVäritys0=<c:clblue>Iltauutiset;", "[Näkymät]", "OmiaNäkymiä=0",
                   "OmaNäkymä0=E:Aikajono:TV1;"});
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();
    // The title offered for row `index`; the box is cancelled.
    const auto offered = [this](int index) {
        MainForm->Ohjelmat->SetItemIndex(index);
        AnsiString title = "<no box>";
        ExpectBox([&title](ModalBox& box) {
            title = box.EditText(0);
            EXPECT_TRUE(box.Press("Peruuta"));
        });
        MainForm->Ohjelmat_LisaaAutomaattisiinClick(MainForm);
        return title;
    };
    // The channel view, the on-air row and a coloured one among them.
    ASSERT_EQ(MainForm->Ohjelmat->Items()->Get(2), Cp("<b>09:55 Ryhmä H"));
    ASSERT_EQ(MainForm->Ohjelmat->Items()->Get(5), "<c:clblue>18:00 Iltauutiset");
    EXPECT_EQ(offered(1), "Uutiset");
    EXPECT_EQ(offered(2), Cp("Ryhmä H"));
    EXPECT_EQ(offered(5), "Iltauutiset");

    SearchFor("uutiset", MainForm);
    ASSERT_EQ(Items(MainForm->Ohjelmat),
              (std::vector<AnsiString>{"11.02.2026 (KE) <w2:TV1> 09:00 Uutiset",
                                       "<c:clblue>11.02.2026 (KE) <w2:TV1> 18:00 Iltauutiset"}));
    EXPECT_EQ(offered(0), "Uutiset");
    EXPECT_EQ(offered(1), "Iltauutiset");

    MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2));
    ASSERT_EQ(MainForm->Ohjelmat->Items()->Get(2), Cp("<b>09:55 <w:TV1> Ryhmä H"));
    ASSERT_EQ(MainForm->Ohjelmat->Items()->Get(5), "<c:clblue>18:00 <w:TV1> Iltauutiset");
    EXPECT_EQ(offered(2), Cp("Ryhmä H"));
    EXPECT_EQ(offered(5), "Iltauutiset");
    EXPECT_EQ(IniReadString("Hälytys"_a, "AutomaattisestiLisättävät"_a, ""), "") << "every box was cancelled";
}

TEST_F(Searching, ChannelPopupSearchesOnlyTheShownChannelsFiles)
{
    Start();
    MainForm->V_Kanavat->SetItemIndex(1);
    MainForm->V_KanavatClick(MainForm);
    ASSERT_EQ(MainForm->CurrentChannel, "Canal+");
    SearchFor("uutiset", MainForm->Kanavat_EtsiKanavanTiedoista);
    EXPECT_EQ(Items(MainForm->Ohjelmat), std::vector<AnsiString>{"12.02.2026 (TO) <w2:Canal+> 23:00 UUTISET"});
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Haun tulokset");
    // Three characters are enough to search with.
    SearchFor("tis", MainForm->Kanavat_EtsiKanavanTiedoista);
    EXPECT_EQ(Items(MainForm->Ohjelmat), std::vector<AnsiString>{"12.02.2026 (TO) <w2:Canal+> 23:00 UUTISET"});
}

TEST_F(Searching, TooShortTextIsRefusedAndTheViewStays)
{
    Start();
    const std::vector<AnsiString> before = Items(MainForm->Ohjelmat);
    ASSERT_FALSE(before.empty());
    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "ab");
        box.Press("OK");
    });
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::MessageBox);
        EXPECT_EQ(box.Caption(), "Virhe");
        EXPECT_EQ(box.Text(), "Anna vähintää 3 merkkiä pitkä teksti!"_a);
        EXPECT_EQ(box.Buttons(), std::vector<AnsiString>{"OK"});
        box.Press("OK");
    });
    MainForm->MM_Etsiohjelmiatallennetuistatiedoista->Click();
    // Cancelled: nothing either.
    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "uutiset");
        box.Press("Peruuta");
    });
    MainForm->MM_Etsiohjelmiatallennetuistatiedoista->Click();
    EXPECT_FALSE(MainForm->SearchMode);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    EXPECT_EQ(Items(MainForm->Ohjelmat), before);
}

TEST_F(Searching, NothingFoundLeavesEmptyListsUnderTheResultCaption)
{
    Start();
    SearchFor("ei mitään", MainForm);
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0);
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Count(), 0);
    EXPECT_EQ(MainForm->TiedotText->Lines()->Count(), 0);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Haun tulokset");
    ExpectSearchEndedCleanly();
}

TEST_F(Searching, BadRecordLengthIsReportedAndTheOtherFilesAreStillRead)
{
    Start();
    // Week 6 sorts first: one good day with a hit, then a record claiming 200000 bytes.
    const std::string bytes = fixture::FileBytes({{fixture::RecordKey(2026, 2, 2, 1), "12:00 Uutiset\r\nX\r\n"}}) +
                              search_test::RecordHeader(2026020301, 200000) + "12:30 Uutiset\r\n\r\n";
    const AnsiString path = folder.Path() + "Tiedot/01-06.QEX";
    fixture::WriteBytes(path, bytes);
    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "uutiset");
        box.Press("OK");
    });
    ExpectBox([path](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::ShowMessage);
        EXPECT_EQ(box.Text(), "2026020301 " + path + " 200000");
        box.Press("OK");
    });
    MainForm->MM_EtsiohjelmiatallennetuistatiedoistaClick(MainForm);
    const std::vector<AnsiString> rows = Items(MainForm->Ohjelmat);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], "02.02.2026 (MA) <w2:TV1> 12:00 Uutiset");
    EXPECT_EQ(rows[5], "12.02.2026 (TO) <w2:Canal+> 23:00 UUTISET");
    ExpectSearchEndedCleanly();
}

TEST_F(Searching, DayWithoutDateEndsTheSearchWithTheWindowRestored)
{
    Start();
    // A record whose key forms no date raises when its day matches.
    fixture::WriteBytes(folder.Path() + "Tiedot/01-06.QEX",
                        fixture::FileBytes({{2026023001, "12:00 Uutiset\r\nX\r\n"}}));
    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "uutiset");
        box.Press("OK");
    });
    EXPECT_THROW(MainForm->MM_EtsiohjelmiatallennetuistatiedoistaClick(MainForm), EConvertError);
    ExpectSearchEndedCleanly();
    // The next search runs.
    std::remove((folder.Path() + "Tiedot/01-06.QEX").c_str());
    SearchFor("huomenta", MainForm);
    EXPECT_EQ(Items(MainForm->Ohjelmat), std::vector<AnsiString>{"16.02.2026 (MA) <w2:TV1> 07:00 Huomenta"});
}

TEST_F(Searching, SecondSearchIsRefusedAndAnotherViewStopsTheSearch)
{
    Start();
    int refused = 0;
    ExpectBox([&](ModalBox& box) {
        box.SetEditText(0, "uutiset");
        box.Press("OK");
        // Runs when the search first lets messages run, after the first day's hits are listed.
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                ASSERT_TRUE(MainForm->SearchMode);
                ASSERT_EQ(MainForm->Ohjelmat->Count(), 2);
                MainForm->MM_Etsiohjelmiatallennetuistatiedoista->Click(); // no box: refused
                ++refused;
                MainForm->V_KanavatClick(MainForm);
            },
            Qt::QueuedConnection);
    });
    MainForm->MM_EtsiohjelmiatallennetuistatiedoistaClick(MainForm);
    EXPECT_EQ(refused, 1);
    EXPECT_FALSE(MainForm->SearchMode);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    // The channel view alone: the search added nothing after it.
    for (const AnsiString& row : Items(MainForm->Ohjelmat))
        EXPECT_EQ(row.find("<w2:"), AnsiString::npos) << row;
    ExpectSearchEndedCleanly();
}

TEST_F(Searching, ImdbLookUpOpensTheSearchPageInTheBrowser)
{
    Start();
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::InputQuery);
        EXPECT_EQ(box.Caption(), "The Internet Movie Database haku");
        EXPECT_EQ(box.Text(), "Etsi tekstillä:"_a);
        EXPECT_EQ(box.EditText(0), "");
        box.SetEditText(0, "Star Wars");
        box.Press("OK");
    });
    MainForm->MM_EtsiIMDB->Click();
    EXPECT_EQ(opened, std::vector<AnsiString>{"https://www.imdb.com/Find?star+wars"});

    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "Star Wars");
        box.Press("Peruuta");
    });
    MainForm->MM_EtsiIMDBClick(MainForm);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(Searching, ImdbLookUpWithoutABrowserSaysTheAddressCouldNotBeOpened)
{
    Start();
    desktopHasBrowser = false;
    ExpectBox([](ModalBox& box) {
        box.SetEditText(0, "Star Wars");
        box.Press("OK");
    });
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::MessageBox);
        EXPECT_EQ(box.Text(), "Osoitetta ei voitu avata selaimeen."_a + "\r\n(https://www.imdb.com/Find?star+wars)");
        box.Press("OK");
    });
    MainForm->MM_EtsiIMDBClick(MainForm);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(Searching, ImdbLookUpFromThePaneStartsWithItsSelection)
{
    Start();
    TRichEdit* pane = MainForm->TiedotText;
    pane->Lines()->Clear();
    pane->Lines()->Add(Cp("09:55 Ryhmä H ") + AnsiString(300, 'x'));
    pane->SetSelStart(6);
    pane->SetSelLength(7);
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.EditText(0), "Ryhmä H"_a);
        box.Press("OK");
    });
    MainForm->InfoEdit_EtsiIMDB->Click();
    EXPECT_EQ(opened, std::vector<AnsiString>{"https://www.imdb.com/Find?ryhm%C3%A4+h"});

    pane->SetSelStart(6);
    pane->SetSelLength(400);
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.EditText(0), "Ryhmä H "_a + AnsiString(246, 'x'));
        box.Press("Peruuta");
    });
    MainForm->InfoEdit_EtsiIMDB->Click();
    // F2 and the main menu start empty whatever the pane holds.
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.EditText(0), "");
        box.Press("Peruuta");
    });
    MainForm->MM_EtsiIMDBClick(MainForm);
}

} // namespace
} // namespace app_test
