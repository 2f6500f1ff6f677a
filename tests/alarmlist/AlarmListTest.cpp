// The alarm list's commands in the real main window: adding from the programme list, the
// duplicate box, deleting, clearing, test firings and their warnings, the countdowns and sorting,
// the pop-up rules, the information pane and the automatic alarms.
#include "AlarmWindowFixture.h"
#include "alarms/AddAlarm.h"
#include "app/AlarmListRows.h"
#include "listings/Calendar.h"
#include "listings/Settings.h"
#include "platform/forms/Edit.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/StatusBar.h"
#include "forms/Input.h"
#include <cerrno>

namespace alarm_test {
namespace {

using app_test::Programme;

const std::vector<Programme> kMonday = {{"18:00", "Iltauutiset", "Uutiset."},
                                        {"20:00", "Uutiset", "Päivän uutiset."},
                                        {"21:00", "Elokuva", "Sotaelokuva."},
                                        {"01:30", "Yöelokuva", ""}};

class AlarmListTest : public AlarmWindowTest {
protected:
    // The channel view on Monday 7.12.2026 at 19:00 with TV1's programmes.
    void StartOnMonday(const std::vector<AlarmRow>& rows = {}, const std::vector<std::string>& settings = {})
    {
        Settings(settings);
        Listing("TV1", "50", EncodeDate(2026, 12, 7), {kMonday});
        Start(rows);
        ASSERT_EQ(MainForm->Ohjelmat->Count(), 4);
    }

    static std::vector<AnsiString> Countdowns()
    {
        std::vector<AnsiString> texts;
        for (const AlarmRow& row : MainForm->AlarmRows())
            texts.push_back(row.SubItems[afCountdown]);
        return texts;
    }

    static void SortBy(int column)
    {
        MainForm->AlarmlistColumnClick(nullptr, MainForm->Alarmlist->Columns()->Items(column));
    }
};

TEST_F(AlarmListTest, DefaultAddWritesTheRowAndASecondAddOfItShowsTheDuplicateBox)
{
    StartOnMonday();
    SelectProgrammes({1});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecordText(), "7.12.2026 (MA)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\xE4iv\xE4n uutiset.\r\n"
                                    "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS5 \r\n");
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText(rows));
    EXPECT_EQ(MainForm->Ohjelmat->Items()->Get(1).rfind("<c:", 0), 0u) << "the programme shows its alarm";
    EXPECT_FALSE(MainForm->AlarmEditing);

    DeleteFile(AlarmFilePath());
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Info");
        EXPECT_EQ(box.Text(), "Valittu ohjelma on jo h\xE4lytyksiss\xE4 \r\n\r\n(20:00 Uutiset)");
        EXPECT_TRUE(box.Press("OK"));
    });
    SelectProgrammes({1});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
    EXPECT_EQ(AlarmFileBytes(), "<none>");
}

TEST_F(AlarmListTest, AnAlarmAddedBeforeTheSettingsWereEverSavedShowsItsNoticeAndBeeps)
{
    StartOnMonday();
    SelectProgrammes({1});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
    TickAt(At(2026, 12, 7, 19, 55));
    Flush();
    EXPECT_TRUE(WindowCaptioned("TV1: 20:00 Uutiset  ")) << "no notice window";
    EXPECT_TRUE(MainForm->BeepTimer->Enabled());
    EXPECT_GT(MainForm->BeepsLeft, 0);
}

TEST_F(AlarmListTest, ADuplicateEndsTheAddKeepingWhatItAddedBefore)
{
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", "#NRM ", "Uutiset")});
    ExpectOk();
    SelectProgrammes({0, 1, 2});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Uutiset", "Iltauutiset"}));
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText(MainForm->AlarmRows()));
}

TEST_F(AlarmListTest, AProgrammeAfterMidnightOfSundayGetsMondaysDateWithSundaysLetters)
{
    ClockSet(At(2026, 12, 6, 20, 0));
    Settings({});
    const TDateTime sunday = EncodeDate(2026, 12, 6);
    Listing("TV1", ListingWeekText(sunday).c_str(), EncodeDate(2026, 11, 30), {{}, {}, {}, {}, {}, {}, kMonday});
    Start({});
    ASSERT_EQ(MainForm->CurrentDate, "6.12.2026");
    SelectProgrammes({3});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Caption, "7.12.2026 (SU)");
    EXPECT_EQ(rows[0].SubItems[afTime], "01:30");
    EXPECT_EQ(rows[0].SubItems[afDescription], "Y\xF6" "elokuva") << "an empty description gives way to the title";
}

TEST_F(AlarmListTest, DeletingTakesTheFirstEqualRowForEachSelectedOne)
{
    const AlarmRow same = Row("7.12.2026 (MA)", "20:00", "#NRM ", "Sama");
    const AlarmRow other = Row("7.12.2026 (MA)", "21:00", "#NRM ", "Muu");
    StartOnMonday({same, same, other});
    SelectRows({0, 1});
    MainForm->PMenu_PoistahalytysClick(nullptr);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Muu"});
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText({other}));

    MainForm->AddAlarmRow(same);
    MainForm->AddAlarmRow(same);
    TListItem* lower = MainForm->Alarmlist->Items()->Item(2);
    SelectRows({2});
    MainForm->PMenu_PoistahalytysClick(nullptr);
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 2);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Item(1), lower) << "the upper of two identical rows goes";
    EXPECT_TRUE(Pane().empty());
}

TEST_F(AlarmListTest, ClearAnsweredNoKeepsListAndFile)
{
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", "#NRM ")});
    const std::string file = AlarmFileBytes();
    auto answer = [](const char* button) {
        return [button](ModalBox& box) {
            EXPECT_EQ(box.Text(), "Haluatko varmasti poistaa kaikki h\xE4lytykset?");
            EXPECT_EQ(box.Buttons(), (std::vector<AnsiString>{"&Kyll\xE4", "&Ei"}));
            EXPECT_TRUE(box.Press(button));
        };
    };
    ExpectBox(answer("&Ei"));
    MainForm->PMenu_TyhjennahalytyslistaClick(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
    EXPECT_EQ(AlarmFileBytes(), file);

    ExpectBox(answer("&Kyll\xE4"));
    MainForm->PMenu_TyhjennahalytyslistaClick(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
    EXPECT_EQ(AlarmFileBytes(), "<none>");
}

// Start-up couldn't read "QEX.ALS": the list lacks what the file keeps, so no command may replace
// or delete the file. Each refusal is told in one box; the list's change stays for the session.
TEST_F(AlarmListTest, AnAlarmFileStartUpCouldNotReadIsNeitherReplacedNorDeleted)
{
    const std::string kept = AlarmFileText({Row("8.12.2026 (TI)", "20:00", "#NRM ", "Tallessa")});
    fixture::WriteBytes(folder.Path() + "QEX.ALS", kept);
    SetFileFault([](const AnsiString& path, bool writing) {
        return !writing && ExtractFileName(path) == "QEX.ALS" ? EIO : 0;
    });
    Settings({});
    Listing("TV1", "50", EncodeDate(2026, 12, 7), {kMonday});
    StartWindow();
    SetFileFault(nullptr);
    MainForm->AlarmsTimer->SetEnabled(false);
    ASSERT_EQ(errors.size(), 1u) << "the read error itself";
    errors.clear();
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 0);

    auto refusal = [this] {
        ExpectBox([](ModalBox& box) {
            EXPECT_NE(box.Text().find("QEX.ALS"), AnsiString::npos) << box.Text();
            EXPECT_TRUE(box.Press("OK"));
        });
    };
    refusal();
    SelectProgrammes({1, 2});
    MainForm->Ohjelmat_Lishlytyksiin1Click(nullptr);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Uutiset", "Elokuva"}));
    EXPECT_EQ(AlarmFileBytes(), kept) << "default add";

    refusal();
    SelectRows({0});
    MainForm->PMenu_PoistahalytysClick(nullptr);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Elokuva"});
    EXPECT_EQ(AlarmFileBytes(), kept) << "delete";

    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Kyll\xE4")); });
    refusal();
    MainForm->PMenu_TyhjennahalytyslistaClick(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
    EXPECT_EQ(AlarmFileBytes(), kept) << "clear";
    EXPECT_EQ(boxes.size(), 4u);
}

TEST_F(AlarmListTest, TestFiringWithAMissingSoundFileWarnsKeepsTheRowAndStartsNothing)
{
    const AnsiString actions = "#NRM #SHD:0 #WV:\"/nowhere/kello.wav\" " + Opens("doc.txt").substr(12);
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", actions)});
    SelectRows({0});
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::MessageBox);
        EXPECT_EQ(box.Caption(), "Varoitus");
        EXPECT_EQ(box.Text(), "\xC4\xE4nitiedostoa ei l\xF6ydy tai ei ole valittu.\r\n(/nowhere/kello.wav)");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_TestaahalytystClick(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
    EXPECT_TRUE(opened.empty());

    // A file that is there but is no sound is reported the same way.
    fixture::WriteBytes(folder.Path() + "rikki.wav", "not a sound at all");
    MainForm->Alarmlist->Items()->Item(0)->SubItems()->Put(afActions, "#NRM #SHD:0 #WV:\"" + folder.Path() +
                                                                          "rikki.wav\" ");
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(box.Text(), "\xC4\xE4nitiedostoa ei l\xF6ydy tai ei ole valittu.\r\n(" + folder.Path() + "rikki.wav)");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_TestaahalytystClick(nullptr);
}

TEST_F(AlarmListTest, AProgramThatCannotStartIsReported)
{
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:0 #EX:\"/nowhere/ohjelma\" ")});
    const std::string file = AlarmFileBytes();
    const char* warning = "Ohjelmaa ei l\xF6ydy,ei ole valittu tai virhe ilmeni sen suorittamisen aikana.\r\n"
                          "(/nowhere/ohjelma)";
    ExpectBox([warning](ModalBox& box) {
        EXPECT_EQ(box.Text(), warning);
        EXPECT_TRUE(box.Press("OK"));
    });
    SelectRows({0});
    MainForm->PMenu_TestaahalytystClick(nullptr);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 1);

    EXPECT_EQ(AlarmFileBytes(), file) << "a test firing keeps the row";

    // Fired by the clock the row goes, from the file too before the warning shows.
    ExpectBox([this, warning](ModalBox& box) {
        EXPECT_EQ(box.Text(), warning);
        EXPECT_EQ(AlarmFileBytes(), "");
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
}

// On 25.10.2026 the hour from 03:00 to 04:00 comes twice: from 02:00 to 05:00 is four hours.
TEST_F(AlarmListTest, CountdownsCountRealTimeOverADaylightSavingChange)
{
    Settings({});
    ClockSet(At(2026, 10, 25, 2, 0));
    Start({Row("25.10.2026 (SU)", "05:00", "#NRM ", "Aamu"), Row("26.10.2026 (MA)", "02:00", "#NRM ", "Huomenna")});
    SortBy(0);
    EXPECT_EQ(Countdowns(), (std::vector<AnsiString>{"4 h. ", "1 d. 1 h. "}));
}

TEST_F(AlarmListTest, CountdownsInWholeSecondsAndSortingByColumn)
{
    StartOnMonday({Row("8.12.2026 (TI)", "22:05", "#NRM ", "Huominen", "canal+"),
                   Row("7.12.2026 (MA)", "19:30", "#NRM ", "Puoli", "TV1"),
                   Row("7.12.2026 (MA)", "19:01", "#NRM ", "Heti", "Nelonen")});
    MainForm->AddAlarmRow(Row("7.12.2026 (MA)", "18:00", "#NRM ", "Mennyt", "MTV3"));
    SortBy(0);
    EXPECT_EQ(MainForm->AlarmSortColumn, 2);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Mennyt", "Heti", "Puoli", "Huominen"}));
    EXPECT_EQ(Countdowns(),
              (std::vector<AnsiString>{"Vanha h\xE4lytys!", "1 min. ", "30 min. ", "1 d. 3 h. 5 min. "}));
    // At 19:00:01.900 the next minute is 59 whole seconds ahead: under a minute.
    ClockSet(At(2026, 12, 7, 19, 0, 1) + EncodeTime(0, 0, 0, 900));
    SortBy(2);
    const std::vector<AnsiString> countdowns = Countdowns();
    ASSERT_EQ(countdowns.size(), 4u);
    EXPECT_EQ(countdowns[1], "");
    EXPECT_EQ(countdowns[3], "1 d. 3 h. 4 min. ");

    SortBy(1);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Huominen", "Mennyt", "Heti", "Puoli"})) << "letter case ignored";
    // The countdown column compares its texts as text.
    SortBy(4);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Heti", "Huominen", "Puoli", "Mennyt"}));
}

TEST_F(AlarmListTest, TheAlarmViewSortsByDateAndRefreshesTheCountdowns)
{
    StartOnMonday({Row("8.12.2026 (TI)", "20:00", "#NRM ", "B"), Row("7.12.2026 (MA)", "20:00", "#NRM ", "A")});
    MainForm->V_Muut->SetItemIndex(0);
    MainForm->V_MuutClick(nullptr);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"A", "B"}));
    EXPECT_EQ(Countdowns(), (std::vector<AnsiString>{"1 h. ", "1 d. 1 h. "}));
}

TEST_F(AlarmListTest, ASingleRowIsNeitherSortedNorCountedDown)
{
    AlarmRow row = Row("7.12.2026 (MA)", "20:00", "#NRM ");
    row.SubItems[afCountdown] = "vanha teksti";
    StartOnMonday({row});
    SortBy(0);
    EXPECT_EQ(MainForm->AlarmSortColumn, -1);
    EXPECT_EQ(Countdowns(), std::vector<AnsiString>{"vanha teksti"});
}

TEST_F(AlarmListTest, PopupItemsFollowTheSelection)
{
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", "#NRM "), Row("7.12.2026 (MA)", "21:00", "#NRM ")});
    auto enabled = [] {
        return std::vector<bool>{MainForm->PMenu_Poistahalytys->Enabled(), MainForm->PMenu_Testaahalytyst->Enabled(),
                                 MainForm->PMenu_Muokkaahalytyst->Enabled(),
                                 MainForm->PMenu_Tyhjennahalytyslista->Enabled()};
    };
    SelectRows({});
    MainForm->PopupMenu_AlarmsPopup(nullptr);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, true}));
    SelectRows({1});
    MainForm->PopupMenu_AlarmsPopup(nullptr);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
    SelectRows({0, 1});
    MainForm->PopupMenu_AlarmsPopup(nullptr);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true}));

    auto adds = [] {
        return std::vector<bool>{MainForm->Ohjelmat_Lishlytyksiin1->Enabled(),
                                 MainForm->Lishlytyksiinvalitutasetukset1->Enabled(),
                                 MainForm->Ohjelmat_LisaaAutomaattisiin->Enabled()};
    };
    SelectProgrammes({1});
    MainForm->Ohjelmat_PopupMenuPopup(nullptr);
    EXPECT_EQ(adds(), (std::vector<bool>{true, true, true}));
    SelectProgrammes({1, 2});
    MainForm->Ohjelmat_PopupMenuPopup(nullptr);
    EXPECT_EQ(adds(), (std::vector<bool>{true, false, false}));
    SelectProgrammes({1});
    MainForm->SearchMode = true;
    MainForm->Ohjelmat_PopupMenuPopup(nullptr);
    EXPECT_EQ(adds(), (std::vector<bool>{true, false, true}));
    MainForm->SearchMode = false;
    MainForm->V_Muut->SetItemIndex(1);
    MainForm->Ohjelmat_PopupMenuPopup(nullptr);
    EXPECT_EQ(adds(), (std::vector<bool>{false, false, false}));
    // The shortcuts as stored.
    EXPECT_EQ(MainForm->PMenu_Poistahalytys->ShortCut(), 46);
    EXPECT_EQ(MainForm->PMenu_Testaahalytyst->ShortCut(), 16468);
    EXPECT_EQ(MainForm->Ohjelmat_Lishlytyksiin1->ShortCut(), 45);
    EXPECT_EQ(MainForm->Lishlytyksiinvalitutasetukset1->ShortCut(), 8237);
    EXPECT_EQ(MainForm->Ohjelmat_LisaaAutomaattisiin->ShortCut(), 16429);
}

TEST_F(AlarmListTest, ClickShowsTheAlarmInTheInformationPane)
{
    StartOnMonday({Row("7.12.2026 (MA)", "20:00", "#NRM ")});
    SelectRows({0});
    MainForm->AlarmlistClick(nullptr);
    EXPECT_EQ(Pane(), (std::vector<AnsiString>{"7.12.2026 (MA) - TV1, 20:00 Uutiset", "P\xE4iv\xE4n uutiset."}));
    SelectRows({});
    MainForm->AlarmlistClick(nullptr);
    EXPECT_TRUE(Pane().empty());
}

TEST_F(AlarmListTest, EditingReplacesTheRowThenSortsByDate)
{
    StartOnMonday({Row("8.12.2026 (TI)", "20:00", "#NRM #SHD:Normaali ilmoitus näytölle "_a, "B"),
                   Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:Normaali ilmoitus näytölle "_a, "A")});
    SelectRows({0});
    ExpectBox([](ModalBox& box) {
        auto* dialog = dynamic_cast<TAddAlarmForm*>(box.Form());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->Edit3->Text(), "B");
        dialog->Edit3->SetText("B2");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_FALSE(MainForm->AlarmEditing);
    EXPECT_EQ(MainForm->AlarmSortColumn, 2);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"A", "B2"}));
}

TEST_F(AlarmListTest, AfterAnEditThePaneShowsTheEditedAlarmStillSelected)
{
    StartOnMonday({Row("8.12.2026 (TI)", "20:00", "#NRM ", "B"), Row("7.12.2026 (MA)", "20:00", "#NRM ", "A")});
    SelectRows({0});
    MainForm->AlarmlistClick(nullptr);
    ASSERT_EQ(Pane().front(), "8.12.2026 (TI) - TV1, 20:00 B");
    ExpectBox([](ModalBox& box) {
        static_cast<TAddAlarmForm*>(box.Form())->MaskEdit1->SetText("21:30");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_EQ(Pane(), (std::vector<AnsiString>{"8.12.2026 (TI) - TV1, 21:30 B", "P\xE4iv\xE4n uutiset."}));
    ASSERT_TRUE(MainForm->Alarmlist->Selected());
    EXPECT_EQ(MainForm->Alarmlist->SelCount(), 1);
    EXPECT_EQ(AlarmRowOf(MainForm->Alarmlist->Selected()).SubItems[afTime], "21:30");

    // Left without a change: the pane shows the same alarm.
    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Poistu")); });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_EQ(Pane().front(), "8.12.2026 (TI) - TV1, 21:30 B");
}

TEST_F(AlarmListTest, AddingWithChosenSettingsFillsTheDialogFromTheProgramme)
{
    StartOnMonday({Row("10.12.2026 (TO)", "20:00", "#NRM ", "Torstai")});
    SelectProgrammes({2});
    ExpectBox([](ModalBox& box) {
        auto* dialog = dynamic_cast<TAddAlarmForm*>(box.Form());
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->Adding);
        EXPECT_EQ(dialog->Edit1->Text(), "TV1");
        EXPECT_EQ(dialog->Edit3->Text(), "Elokuva");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->Lishlytyksiinvalitutasetukset1Click(nullptr);
    // Ordered by caption text while the comparison was detached; it is back afterwards.
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Torstai", "Elokuva"}));
    EXPECT_TRUE(static_cast<bool>(MainForm->Alarmlist->OnCompare));
    EXPECT_EQ(MainForm->Alarmlist->Items()->Item(1)->Caption(), "7.12.2026 (MA)");
}

TEST_F(AlarmListTest, TitleGoesToTheAutomaticAlarmsAsTyped)
{
    StartOnMonday({}, {"[Hälytys]", "AutomaattisestiLisättävät=Aki;"});
    SelectProgrammes({1});
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::InputQuery);
        EXPECT_EQ(box.Caption(), "Lis\xE4\xE4 automaattisesti lis\xE4tt\xE4viin h\xE4lytyksiin");
        EXPECT_EQ(box.Text(), "Otsikkolla:");
        EXPECT_EQ(box.EditText(0), "Uutiset");
        box.SetEditText(0, "Uutiset ");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->Ohjelmat_LisaaAutomaattisiinClick(nullptr);
    EXPECT_EQ(IniReadString("H\xE4lytys", "AutomaattisestiLis\xE4tt\xE4v\xE4t", ""), "Aki;Uutiset ;");
}

// The keys obey the pop-up's rules even when the pop-up was last opened in another view: the
// what-is-on-now rows are no programme lines, so none of the three adds reads one.
TEST_F(AlarmListTest, InsertKeysAddNothingFromTheWhatIsOnNowView)
{
    StartOnMonday({}, {"[Hälytys]", "AutomaattisestiLisättävät=Aki;"});
    SelectProgrammes({1});
    MainForm->Ohjelmat_PopupMenuPopup(nullptr);
    MainForm->V_Muut->SetItemIndex(1);
    MainForm->V_MuutClick(nullptr);
    ASSERT_GT(MainForm->Ohjelmat->Count(), 0);
    SelectProgrammes({0});
    QWidget* list = MainForm->Ohjelmat->Widget();
    PressKey(list, Qt::Key_Insert, Qt::ControlModifier);
    PressKey(list, Qt::Key_Insert, Qt::ShiftModifier);
    PressKey(list, Qt::Key_Insert);
    EXPECT_EQ(IniReadString("H\xE4lytys", "AutomaattisestiLis\xE4tt\xE4v\xE4t", ""), "Aki;");
    EXPECT_TRUE(MainForm->AlarmRows().empty());
    EXPECT_EQ(AlarmFileBytes(), "<none>");

    // Back in the channel view the keys add again.
    MainForm->V_Kanavat->SetItemIndex(0);
    MainForm->V_KanavatClick(nullptr);
    SelectProgrammes({1});
    PressKey(MainForm->Ohjelmat->Widget(), Qt::Key_Insert);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Uutiset"});
}

class AutoAddTest : public AlarmListTest {
protected:
    void StartWithListings(const std::vector<std::string>& settings)
    {
        Settings(settings, "MTV3;TV1000;");
        const std::vector<Programme> tuesday = {{"18:00", "Elokuva", "Ohjaaja Aki."},
                                                {"20:00", "Uutiset", std::string(45, 'a') + " " + std::string(45, 'b')}};
        Listing("TV1000", "50", EncodeDate(2026, 12, 7), {{{"20:00", "Uutiset", "Tänään."}}, tuesday});
        Listing("TV1", "50", EncodeDate(2026, 12, 7), {{}, tuesday});
        Start({});
    }

    static AnsiString Status() { return MainForm->StatusPanel->Panels()->Items(0)->Text(); }
};

TEST_F(AutoAddTest, AskedProgrammesAreAddedAndCountedAndDuplicatesSkippedSilently)
{
    StartWithListings({"[Hälytys]", "LisääAutomaattisesti=1", "AutomaattisestiLisättävät=Aki;Uutiset;"});
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Hyv\xE4ksy");
        EXPECT_EQ(box.Text(), "TV1000 - 8.12.2026 (TI)\r\n\r\n18:00 Elokuva\r\nOhjaaja Aki.\r\n\r\n"
                              "Lis\xE4t\xE4\xE4nk\xF6 h\xE4lytyksiin?           ");
        EXPECT_TRUE(box.Press("&Kyll\xE4"));
    });
    ExpectBox([](ModalBox& box) {
        // A description longer than a line is wrapped at a blank.
        const AnsiString text = box.Text();
        EXPECT_EQ(text.rfind("TV1000 - 8.12.2026 (TI)\r\n\r\n20:00 Uutiset\r\n" + std::string(45, 'a'), 0), 0u);
        EXPECT_NE(text.find(" \r\n" + std::string(45, 'b') + "\r\n\r\n"), AnsiString::npos);
        EXPECT_TRUE(box.Press("&Ei"));
    });
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(Status(), "H\xE4lytysten etsint\xE4 suoritettu. (1 ohjelma lis\xE4tty)");
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecordText(), "8.12.2026 (TI)\r\nTV1000\r\n18:00\r\nElokuva\r\n\r\nOhjaaja Aki.\r\n"
                                    "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS5 \r\n");
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText(rows)) << "what the search added is kept at once";

    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Ei")); });
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(Status(), "H\xE4lytysten etsint\xE4 suoritettu. (0 ohjelmaa lis\xE4tty)");
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 1);
}

TEST_F(AutoAddTest, WithoutTheQuestionEverythingFoundIsAdded)
{
    StartWithListings({"[Hälytys]", "LisääAutomaattisesti=1", "LisääAutomaattisestiVarmista=0",
                       "AutomaattisestiLisättävät=Aki;Uutiset;"});
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(Titles(), (std::vector<AnsiString>{"Elokuva", "Uutiset"}));
    EXPECT_EQ(Status(), "H\xE4lytysten etsint\xE4 suoritettu. (2 ohjelmaa lis\xE4tty)");
}

TEST_F(AutoAddTest, ATaggedTitleIsAddedOnceHoweverOftenTheSearchRuns)
{
    Settings({"[Hälytys]", "LisääAutomaattisesti=1", "LisääAutomaattisestiVarmista=0",
              "AutomaattisestiLisättävät=Ötökkä;"},
             "MTV3;");
    Listing("MTV3", "50", EncodeDate(2026, 12, 7), {{}, {{"21:00", "Elokuva <uusi> Ötökkä", "Luontoelokuva."}}});
    Start({});
    MainForm->fg1Click(nullptr);
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Elokuva <uusi> Ötökkä"_a});
    EXPECT_EQ(Status(), "H\xE4lytysten etsint\xE4 suoritettu. (0 ohjelmaa lis\xE4tty)");
}

TEST_F(AutoAddTest, SwitchedOffDoesNothing)
{
    StartWithListings({"[Hälytys]", "LisääAutomaattisesti=0", "AutomaattisestiLisättävät=Aki;Uutiset;"});
    const AnsiString before = Status();
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(Status(), before);
    EXPECT_EQ(MainForm->Alarmlist->Items()->Count(), 0);
}

} // namespace
} // namespace alarm_test
