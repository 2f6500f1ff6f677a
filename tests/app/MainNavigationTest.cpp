// Browsing in the real main window: days and weeks, channels, the keys, the views, the marks on
// the programme list, the information pane and the owner drawing.
#include "MainWindowFixture.h"
#include "alarms/AlarmFile.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/TabControl.h"
#include "shell/BrowserHost.h"
#include "support/WebPageDriver.h"
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace app_test {
namespace {

void PressKey(TMainForm* form, WORD key)
{
    form->FormKeyDown(form, key, {});
}

class Browsing : public MainWindowTest {
protected:
    void Start(const std::vector<std::string>& extraSettings = {})
    {
        std::vector<std::string> settings = {"[Kanavat]", "Käytössä=TV1;Canal+;TV2;", "[Muut]",
                                             "OletusNäkymä=Normaali"};
        settings.insert(settings.end(), extraSettings.begin(), extraSettings.end());
        WriteSettings(settings);
        WriteWeek7("TV1", WednesdayProgrammes());
        WriteWeek7("Canal+", {{"08:00", "Elokuva", "Kuvaus"}, {"11:00", "Sarja", "Jakso 2"}});
        StartWindow();
    }
};

TEST_F(Browsing, NumpadStarWalksTheDaysIntoNextWeekAndStops)
{
    Start();
    MainForm->DayMenuClick(MainForm->MM_D[1]);
    EXPECT_EQ(MainForm->CurrentDate, "9.2.2026");
    for (int i = 0; i < 7; ++i)
        PressKey(MainForm, VK_MULTIPLY);
    EXPECT_EQ(MainForm->CurrentWeek, 1);
    EXPECT_EQ(MainForm->CurrentDate, "16.2.2026");
    EXPECT_EQ(MainForm->ViikotTabs->TabIndex(), 1);
    for (int i = 0; i < 10; ++i)
        PressKey(MainForm, VK_MULTIPLY);
    EXPECT_EQ(MainForm->CurrentDate, "22.2.2026");
    EXPECT_EQ(MainForm->CurrentDayIndex, 7);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tietoja ei ole haettu (Sunnuntai 22. Helmikuuta 2026)");
    // Back to week 0 lands on the Monday remembered when week 0 was left.
    PressKey(MainForm, VK_DIVIDE);
    EXPECT_EQ(MainForm->CurrentDate, "21.2.2026");
    MainForm->ViikotTabs->SetTabIndex(0);
    MainForm->ViikkoChange(MainForm);
    EXPECT_EQ(MainForm->CurrentDate, "9.2.2026");
    MainForm->ViikotTabs->SetTabIndex(1);
    MainForm->ViikkoChange(MainForm);
    EXPECT_EQ(MainForm->CurrentDate, "21.2.2026");
}

TEST_F(Browsing, NumpadSlashStopsOnMondayOfThisWeek)
{
    Start();
    for (int i = 0; i < 5; ++i)
        PressKey(MainForm, VK_DIVIDE);
    EXPECT_EQ(MainForm->CurrentDate, "9.2.2026");
    EXPECT_EQ(MainForm->CurrentWeek, 0);
}

TEST_F(Browsing, NumpadKeyFromTheProgrammeListIsTakenByTheWindow)
{
    Start();
    QWidget* list = MainForm->Ohjelmat->Widget();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier, "*");
    QApplication::sendEvent(list, &press);
    // One day on, not two: the key went through the window's preview once and no further.
    EXPECT_EQ(MainForm->CurrentDate, "12.2.2026");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026");
}

TEST_F(Browsing, ChannelKeysStopAtTheEndsOfTheList)
{
    Start();
    PressKey(MainForm, VK_SUBTRACT);
    EXPECT_EQ(MainForm->CurrentChannel, "TV1");
    PressKey(MainForm, VK_ADD);
    EXPECT_EQ(MainForm->CurrentChannel, "Canal+");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Canal+, Keskiviikko 11. Helmikuuta 2026");
    EXPECT_EQ(Items(MainForm->Ohjelmat), (std::vector<AnsiString>{"<b>08:00 Elokuva", "11:00 Sarja"}));
    PressKey(MainForm, VK_ADD);
    PressKey(MainForm, VK_ADD);
    EXPECT_EQ(MainForm->CurrentChannel, "TV2");
    EXPECT_EQ(MainForm->V_Kanavat->ItemIndex(), 2);
}

TEST_F(Browsing, TodayKeyReturnsToTheTvDay)
{
    Start();
    MainForm->DayMenuClick(MainForm->MM_D[12]);
    EXPECT_EQ(MainForm->CurrentDate, "20.2.2026");
    EXPECT_TRUE(MainForm->MM_D[12]->Checked());
    EXPECT_FALSE(MainForm->MM_D[3]->Checked());
    PressKey(MainForm, VK_F6);
    EXPECT_EQ(MainForm->CurrentDate, "11.2.2026");
    EXPECT_EQ(MainForm->CurrentWeek, 0);
    EXPECT_TRUE(MainForm->MM_D[3]->Checked());
    EXPECT_EQ(Items(MainForm->Ohjelmat)[2], Cp("<b>09:55 Ryhmä H"));
}

TEST_F(Browsing, DayMenuAndTodayDoNothingInTheAlarmView)
{
    Start();
    PressKey(MainForm, VK_F4);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Hälytykset"_a);
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), 0);
    EXPECT_TRUE(MainForm->MM_Nakyma->Items(MainForm->MM_Nakyma->Count() - 2)->Checked());
    MainForm->DayMenuClick(MainForm->MM_D[12]);
    PressKey(MainForm, VK_F6);
    EXPECT_EQ(MainForm->CurrentDate, "11.2.2026");
    EXPECT_FALSE(MainForm->MM_D[12]->Checked());
    EXPECT_FALSE(MainForm->ViikotPanel->Visible());
    // A channel click returns to the channel view with the day bar.
    MainForm->V_Kanavat->SetItemIndex(0);
    MainForm->V_KanavatClick(MainForm);
    EXPECT_EQ(MainForm->V_Muut->ItemIndex(), -1);
    EXPECT_TRUE(MainForm->ViikotPanel->Visible());
    EXPECT_TRUE(MainForm->MM_Normaali->Checked());
}

TEST_F(Browsing, ARightClickChoosesTheChannelUnderItAndBelowTheLastOneNothing)
{
    Start();
    TListBox* channels = MainForm->V_Kanavat;
    QWidget* view = static_cast<QListWidget*>(channels->Widget())->viewport();
    auto rightPress = [&](QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(view->mapToGlobal(at)), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
    };
    const TRect last = channels->ItemRect(channels->Count() - 1);
    rightPress(QPoint(5, last.Top + 1));
    EXPECT_EQ(channels->ItemIndex(), channels->Count() - 1);
    const AnsiString chosen = MainForm->CurrentChannel;
    EXPECT_EQ(chosen, channels->Items()->Get(channels->Count() - 1));
    const std::vector<AnsiString> shown = Items(MainForm->Ohjelmat);
    // Below the last channel there is none to choose: the channel shown stays.
    rightPress(QPoint(5, last.Bottom + 2));
    EXPECT_EQ(MainForm->CurrentChannel, chosen);
    EXPECT_EQ(Items(MainForm->Ohjelmat), shown);
}

TEST_F(Browsing, NoChannelSelectedShowsTheCurrentOne)
{
    Start();
    PressKey(MainForm, VK_ADD);
    MainForm->V_Kanavat->SetItemIndex(-1);
    MainForm->V_KanavatClick(MainForm);
    EXPECT_EQ(MainForm->CurrentChannel, "Canal+");
    EXPECT_EQ(MainForm->V_Kanavat->ItemIndex(), 1);
}

TEST_F(Browsing, EmptyChannelListClearsTheView)
{
    Start();
    MainForm->V_Kanavat->Clear();
    MainForm->V_KanavatClick(MainForm);
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0);
    EXPECT_EQ(MainForm->TiedotText->Lines()->Count(), 0);
    EXPECT_EQ(MainForm->CurrentChannel, "");
}

TEST_F(Browsing, WhatIsOnNowListsEveryChannel)
{
    Start();
    MainForm->V_Muut->SetItemIndex(1);
    MainForm->V_MuutClick(MainForm);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV:ssä nyt ja seuraavaksi"_a);
    EXPECT_EQ(Items(MainForm->Ohjelmat),
              (std::vector<AnsiString>{Cp("<b> <t>TV1, 09:55 Ryhmä H"), Cp(" <t>TV1, 10:25 Jääkiekon MM"),
                                       Cp(" <t>TV1, 12:00 Puoli seitsemän"), "", "<b> <t>Canal+, 08:00 Elokuva",
                                       " <t>Canal+, 11:00 Sarja", ""}));
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Items()->Get(0), Cp("Ensimmäinen esitys."));
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Count(), MainForm->Ohjelmat->Count());
    EXPECT_EQ(MainForm->V_Kanavat->ItemIndex(), -1);
    EXPECT_TRUE(MainForm->MM_Nakyma->Items(MainForm->MM_Nakyma->Count() - 1)->Checked());
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(0), Cp("TV1, 09:55 Ryhmä H"));
}

TEST_F(Browsing, WhatIsOnNowBeforeAChannelsDayBegins)
{
    Start();
    ClockSet(At(2026, 2, 11, 7, 0));
    MainForm->V_Muut->SetItemIndex(1);
    MainForm->V_MuutClick(MainForm);
    // Canal+ starts at 08:00: its first programme stands as on air, nothing follows it.
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2], "<b> <t>Canal+, 08:00 Elokuva");
    EXPECT_EQ(items[items.size() - 1], "");
}

TEST_F(Browsing, WhatIsOnNowStopsWhenAnotherViewIsChosen)
{
    Start();
    MainForm->V_Muut->SetItemIndex(1);
    // The user picks a channel while the first channel's rows are being added.
    QTimer::singleShot(0, [] {
        MainForm->V_Kanavat->SetItemIndex(1);
        MainForm->V_KanavatClick(MainForm);
    });
    MainForm->V_MuutClick(MainForm);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Canal+, Keskiviikko 11. Helmikuuta 2026");
    EXPECT_EQ(Items(MainForm->Ohjelmat), (std::vector<AnsiString>{"<b>08:00 Elokuva", "11:00 Sarja"}));
}

TEST_F(Browsing, AnotherDayOfThisWeekHasNoProgrammeOnAir)
{
    Start();
    WriteWeek7("TV1", WednesdayProgrammes(), 1);
    MainForm->DayMenuClick(MainForm->MM_D[1]);
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 9);
    for (const AnsiString& item : Items(MainForm->Ohjelmat))
        EXPECT_EQ(item.find("<b>"), AnsiString::npos) << item;
    EXPECT_TRUE(SelectedRows(MainForm->Ohjelmat).empty());
}

TEST_F(Browsing, AfterMidnightYesterdaysListStillShowsWhatIsOnAir)
{
    Start();
    ClockSet(At(2026, 2, 12, 0, 40));
    MainForm->V_KanavatClick(MainForm);
    EXPECT_EQ(Items(MainForm->Ohjelmat)[7], Cp("<b>00:30 Yöelokuva"));
    // Past 07:00 of the next day the shown Wednesday is no longer marked.
    ClockSet(At(2026, 2, 12, 7, 30));
    MainForm->V_KanavatClick(MainForm);
    for (const AnsiString& item : Items(MainForm->Ohjelmat))
        EXPECT_EQ(item.find("<b>"), AnsiString::npos) << item;
}

TEST_F(Browsing, TimerMovesTheMarkAndRemovesPastProgrammes)
{
    Start({"PoistaMenneetOhjelmat=1"});
    EXPECT_EQ(Items(MainForm->Ohjelmat)[0], Cp("<b>09:55 Ryhmä H"));
    ClockSet(At(2026, 2, 11, 12, 30));
    MainForm->Timer1Timer(MainForm);
    // The mark moved first; the next tick removes what lies before it.
    MainForm->Timer1Timer(MainForm);
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    EXPECT_EQ(items[0], Cp("<b>12:00 Puoli seitsemän"));
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Items()->Get(0), "Makasiini.");
    EXPECT_EQ(MainForm->Keski_Ohjelmainfot->Count(), MainForm->Ohjelmat->Count());
}

TEST_F(Browsing, AColouredRowOnAirLosesItsBoldWhenTheMarkMoves)
{
    Start({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=0", "OmaVäritys0=<c:clblue>Ryhmä;"});
    EXPECT_EQ(Items(MainForm->Ohjelmat)[2], Cp("<b><c:clblue>09:55 Ryhmä H"));
    ClockSet(At(2026, 2, 11, 10, 30));
    MainForm->Timer1Timer(MainForm);
    std::vector<AnsiString> bold;
    for (const AnsiString& item : Items(MainForm->Ohjelmat))
        if (item.find("<b>") != AnsiString::npos)
            bold.push_back(item);
    EXPECT_EQ(bold, (std::vector<AnsiString>{Cp("<b>10:25 Jääkiekon MM")}));
    EXPECT_EQ(Items(MainForm->Ohjelmat)[2], Cp("<c:clblue>09:55 Ryhmä H"));
}

TEST_F(Browsing, AlarmedAndColouredProgrammes)
{
    Start({"[Väritys]", "Käytössä=1", "OmiaVärityksiä=0", "OmaVäritys0=<c:clblue>Elokuva;"});
    AlarmRow alarm;
    alarm.Caption = "12.2.2026 (KE)";
    alarm.SubItems = {"TV1", "00:30", Cp("Yöelokuva"), "", "", "#NRM "};
    MainForm->AddAlarmRow(alarm);
    MainForm->V_KanavatClick(MainForm);
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    EXPECT_EQ(items[6], "<c:clblue>21:00 Elokuva: Tuntematon sotilas");
    EXPECT_EQ(items[7], Cp("<c:clred>00:30 Yöelokuva"));
    EXPECT_EQ(items[2], Cp("<b>09:55 Ryhmä H"));
}

TEST_F(Browsing, InformationPaneFallsBackToTheTitle)
{
    Start();
    MainForm->Ohjelmat->SetSelected(2, false);
    MainForm->Ohjelmat->SetItemIndex(3);
    MainForm->Ohjelmat->SetSelected(3, true);
    MainForm->OhjelmatClick(MainForm);
    ASSERT_EQ(MainForm->TiedotText->Lines()->Count(), 2);
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(0), Cp("10:25 Jääkiekon MM"));
    EXPECT_EQ(MainForm->TiedotText->Lines()->Get(1), Cp("Jääkiekon MM"));
    // Two rows selected: the pane stays empty.
    MainForm->Ohjelmat->SetSelected(4, true);
    MainForm->OhjelmatClick(MainForm);
    EXPECT_EQ(MainForm->TiedotText->Lines()->Count(), 0);
}

TEST_F(Browsing, ADescriptionOfThreeCharactersIsShownAndOneOfTwoGivesWayToTheTitle)
{
    Start();
    WriteWeek7("TV1", {{"06:00", "Aamu", "ok"}, {"07:00", "Sarja", "Hei"}});
    MainForm->V_KanavatClick(MainForm);
    auto pane = [](int row) {
        MainForm->Ohjelmat->SetItemIndex(row);
        MainForm->Ohjelmat->SetSelected(row, true);
        MainForm->OhjelmatClick(MainForm);
        const std::vector<AnsiString> lines = Pane();
        MainForm->Ohjelmat->SetSelected(row, false);
        return lines;
    };
    EXPECT_EQ(pane(0), (std::vector<AnsiString>{"06:00 Aamu", "Aamu"}));
    EXPECT_EQ(pane(1), (std::vector<AnsiString>{"07:00 Sarja", "Hei"}));
}

TEST_F(Browsing, TheChannelViewListsLinesOfTimeAndBlankAndStopsAtTheFirstOther)
{
    Start();
    // "hh:nn " of six characters is a programme with no title; a sixth character other than the
    // blank ends the list there.
    WriteWeek7("TV1", {{"06:00", "Aamu", "a"}, {"07:00", "", "b"}, {"08:00xIlta", "", "c"}, {"09:00", "Yö", "d"}});
    MainForm->V_KanavatClick(MainForm);
    ASSERT_EQ(MainForm->Ohjelmat->Count(), 2);
    EXPECT_NE(MainForm->Ohjelmat->Items()->Get(0).find("06:00 Aamu"), AnsiString::npos);
    EXPECT_NE(MainForm->Ohjelmat->Items()->Get(1).find("07:00 "), AnsiString::npos);
}

TEST_F(Browsing, TimeLineView)
{
    Start({"[Näkymät]", "OmiaNäkymiä=0", "OmaNäkymä0=Aamu:Aikajono:TV1;Canal+;"});
    MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2));
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Keskiviikko 11. Helmikuuta 2026");
    EXPECT_TRUE(MainForm->MM_Nakyma->Items(2)->Checked());
    EXPECT_FALSE(MainForm->V_Panel->Visible());
    std::vector<AnsiString> items = Items(MainForm->Ohjelmat);
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[0], "06:00 <w:TV1> Aamu-tv");
    EXPECT_EQ(items[1], "08:00 <w:Canal+> Elokuva");
    EXPECT_EQ(items[3], Cp("<b>09:55 <w:TV1> Ryhmä H"));
    ASSERT_NE(MainForm->ListingGrid, nullptr);
    // A day change shows the same view for the new day.
    PressKey(MainForm, VK_MULTIPLY);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Torstai 12. Helmikuuta 2026");
    EXPECT_EQ(MainForm->Ohjelmat->Count(), 0);
    // Back to the channel view.
    MainForm->MM_NormaaliClick(MainForm);
    EXPECT_TRUE(MainForm->V_Panel->Visible());
    EXPECT_EQ(MainForm->CurrentChannel, "TV1");
}

TEST_F(Browsing, TableViewGoesToTheBrowser)
{
    Start({"[Näkymät]", "OmiaNäkymiä=0", "OmaNäkymä0=Ilta:Taulukko:TV1;Canal+;"});
    MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2));
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - Keskiviikko 11. Helmikuuta 2026");
    ASSERT_NE(MainForm->ListingGrid, nullptr);
    EXPECT_EQ(MainForm->ListingGrid->Cells(1, 0), "TV1");
    EXPECT_EQ(MainForm->ListingGrid->Cells(2, 0), "Canal+");
    EXPECT_NE(webpage::DocumentText(*MainForm->WWW).find("Canal+"), AnsiString::npos);
    EXPECT_FALSE(MainForm->V_Panel->Visible());
}

// The day bar is hidden by a table view and the alarm view; back in the channel view its tabs
// fit the bar it has now, not the width it had while hidden.
TEST_F(Browsing, DayTabsFitTheBarWhenItComesBack)
{
    Start({"[Näkymät]", "OmiaNäkymiä=0", "OmaNäkymä0=Ilta:Taulukko:TV1;Canal+;"});
    ASSERT_TRUE(MainForm->ViikotPanel->Visible());
    MainForm->NakymatClick(MainForm->MM_Nakyma->Items(2));
    PressKey(MainForm, VK_F4);
    ASSERT_FALSE(MainForm->ViikotPanel->Visible());
    MainForm->MM_NormaaliClick(MainForm);
    Flush();
    ASSERT_TRUE(MainForm->ViikotPanel->Visible());
    QWidget* bar = MainForm->ViikonPaivatTabs->Widget();
    QList<QToolButton*> tabs = bar->findChildren<QToolButton*>();
    ASSERT_EQ(tabs.size(), 7);
    QToolButton* sunday = tabs.back();
    ASSERT_EQ(sunday->text(), "Sunnuntai");
    EXPECT_LE(sunday->geometry().right(), bar->width() - 1) << "bar " << bar->width() << ", Sunday at "
                                                           << sunday->x() << "+" << sunday->width();
    EXPECT_GE(sunday->width(), sunday->fontMetrics().horizontalAdvance(sunday->text()));
}

TEST_F(Browsing, HelpBoxListsTheKeys)
{
    Start();
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Info");
        // Every line of the help, each ending in CR LF.
        EXPECT_EQ(box.Text(), "OHJELMAN PIKANÄPPÄIMET\r\n"
                              "\r\n"
                              "F1    - Näyttää pikanäppäimet (tämä ikkuna)               \r\n"
                              "F2    - Etsintä The Internet Movie Database:sta\r\n"
                              "F3    - Etsintä tallennetuista tiedoista\r\n"
                              "F4    - Näyttää hälytykset\r\n"
                              "\r\n"
                              "F5    - Avaa ohjelman asetukset-ikkunan\r\n"
                              "F6    - Valitsee menossa olevan päivän\r\n"
                              "F7    - Hakee viikon tiedot kanaville\r\n"
                              "F8    - Pienentää ohjelman systemtrayhin\r\n"
                              "\r\n"
                              "Numpadin - ja + napit vaihtavat kanavaa\r\n"
                              "Numpadin / ja * napit vaihtavat päivää\r\n"
                              "\r\n"_a);
        box.Press("OK");
    });
    PressKey(MainForm, VK_F1);
}

TEST_F(Browsing, OwnerDrawingCopesWithDamagedMarks)
{
    Start();
    MainForm->Ohjelmat->Items()->Put(0, "<c:clnosuchcolour>06:00 Aamu-tv");
    MainForm->Ohjelmat->Items()->Put(1, "<b>09:00 Uutiset <avoin");
    MainForm->Ohjelmat->Items()->Put(3, "<avoin ilman loppua");
    MainForm->Ohjelmat->Items()->Put(4, "12:00 <w:TV1 ilman loppua");
    // Painting the list runs the drawing of every row; nothing may be raised.
    QImage image = MainForm->Ohjelmat->Widget()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    // The row with an unclosed '<' is drawn: its row holds pixels of another colour than the
    // background.
    const TRect row = MainForm->Ohjelmat->ItemRect(3);
    const QRgb background = image.pixel(row.Right - 2, row.Top + 1);
    bool drawn = false;
    for (int x = row.Left; x < row.Left + 100 && !drawn; ++x)
        for (int y = row.Top; y < row.Bottom && !drawn; ++y)
            drawn = image.pixel(x, y) != background;
    EXPECT_TRUE(drawn);
}

TEST_F(Browsing, RichEditAddLineKeepsTheSelection)
{
    Start();
    TRichEdit* pane = MainForm->TiedotText;
    pane->Lines()->Clear();
    RichEditAddLine(pane, "Otsikko", clBlack, {fsBold});
    pane->SetSelStart(2);
    pane->SetSelLength(3);
    RichEditAddLine(pane, "Punainen rivi", clRed, {fsItalic});
    EXPECT_EQ(pane->SelStart(), 2);
    EXPECT_EQ(pane->SelLength(), 3);
    pane->SetSelStart(pane->LineStart(1));
    pane->SetSelLength(8);
    EXPECT_EQ(pane->SelAttributes()->Color(), clRed);
    EXPECT_TRUE(pane->SelAttributes()->Style().Contains(fsItalic));
    EXPECT_FALSE(pane->SelAttributes()->Style().Contains(fsBold));
    pane->SetSelStart(0);
    pane->SetSelLength(7);
    EXPECT_TRUE(pane->SelAttributes()->Style().Contains(fsBold));
}

TEST_F(Browsing, ChannelIconsInIndexOrder)
{
    Start();
    ASSERT_EQ(MainForm->S_Logot->Count(), 25);
    // Each index has a picture of its own; the radio channels share one.
    EXPECT_NE(MainForm->S_Logot->Image(0), MainForm->S_Logot->Image(1));
    EXPECT_NE(MainForm->S_Logot->Image(22), MainForm->S_Logot->Image(23));
    EXPECT_NE(MainForm->S_Logot->Image(23), MainForm->S_Logot->Image(24));
}

} // namespace
} // namespace app_test
