// What the main window is made of: every menu command with its caption and shortcut, the
// status bar's panels, the alarm list's columns, the fixed lists and tabs and the timers.
#include "MainWindowFixture.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Timer.h"
#include "shell/GlobalHotKey.h"

using namespace app_test;

namespace {

// "name|caption|shortcut" of each item, "-" for a separator.
std::vector<AnsiString> Described(const TMenuItem* menu)
{
    std::vector<AnsiString> items;
    for (int i = 0; i < menu->Count(); ++i) {
        const TMenuItem* item = menu->Items(i);
        items.push_back(item->IsLine() ? AnsiString("-")
                                       : item->Name() + "|" + item->Caption() + "|" + ShortCutToText(item->ShortCut()));
    }
    return items;
}

std::vector<AnsiString> Texts(const std::vector<const char*>& utf8)
{
    std::vector<AnsiString> texts;
    for (const char* text : utf8)
        texts.push_back(cp1252::FromUtf8(text));
    return texts;
}

} // namespace

TEST_F(MainWindowTest, EveryMenuCommandHasItsCaptionAndShortcut)
{
    WriteUsualSettings();
    StartWindow(false);
    const TMenuItem* bar = MainForm->Mainmenu->Items();
    ASSERT_EQ(bar->Count(), 6);
    EXPECT_EQ(Described(bar), Texts({"MM_Tietojenetsinta|Tietojen &haku|", "MM_Paiva|Päivä|", "MM_Nakyma|Näkymä|",
                                     "Tulostus1|Tulostus|", "MM_Asetukset|&Asetukset|", "MM_Ohjeet|&Ohjeet|"}));
    EXPECT_EQ(Described(bar->Items(0)),
              Texts({"MM_AloitaHaku|Hae ohjelmatiedot|F7",
                     "MM_Etsiohjelmiatallennetuistatiedoista|Etsi ohjelmatiedoista...|F3",
                     "MM_EtsiIMDB|Etsi The Internet Movie Database:sta (IMDb)...|F2",
                     "Pienennohjelmatykaluriville1|Pienennä ohjelma työkaluriville|F8",
                     "fg1|Suorita automaattinen hälytysten lisäys|", "Suljeohjelma1|Sulje ohjelma|"}));

    const TMenuItem* days = bar->Items(1);
    ASSERT_EQ(days->Count(), 19);
    EXPECT_EQ(Described(days).front(), "MM_Tanaan|&Tänään|F6"_a);
    EXPECT_EQ(Described(days).back(), "MM_PaivaPalkkiOn|&Päiväpalkki näkyvissä|"_a);
    for (int i : {1, 9, 17})
        EXPECT_TRUE(days->Items(i)->IsLine()) << "item " << i;
    for (int day = 1; day <= 14; ++day) {
        const TMenuItem* item = days->Items(day < 8 ? day + 1 : day + 2);
        EXPECT_EQ(item->Name(), "MM_D" + std::to_string(day));
        EXPECT_EQ(item->Tag, day);
        EXPECT_TRUE(item->RadioItem()) << item->Name();
    }

    EXPECT_EQ(Described(bar->Items(2)).front(), "MM_Normaali|&Normaali|");
    EXPECT_TRUE(bar->Items(2)->Items(1)->IsLine());
    EXPECT_EQ(Described(bar->Items(3)),
              Texts({"Valitunpivntiedot141|Valitun päivän tiedot|", "Hlytykset1|Hälytykset|"}));
    EXPECT_EQ(Described(bar->Items(4)),
              Texts({"MM_Muutasetukset|Yleiset...|F5", "MM_Halytysasetukset|Hälytys...|",
                     "MM_Kanavaasetukset|Kanavat...|", "MM_Varitysasetukset|Väritys...|",
                     "MM_Nakymat|Näkymät...|", "MM_Olestusasetukset|Olestusasetusten palautus|",
                     "TyhjennTVohjelmatiedostojenhakemisto1|Tyhjennä TV-ohjelmatiedostojen hakemisto|"}));
    EXPECT_EQ(Described(bar->Items(5)),
              Texts({"MM_Ohjelmanpikanappaimet|Ohjelman pikanäppäimet|F1", "MM_Ohjelmasta|Ohjelmasta|"}));

    EXPECT_EQ(Described(MainForm->Kanavat_PopupMenu->Items()),
              Texts({"Kanavat_EtsiKanavanTiedoista|Etsi kanavan tiedoista|"}));
    EXPECT_EQ(Described(MainForm->InfoEdit_PopupMenu->Items()),
              Texts({"InfoEdit_Kopioivalittutekstileikepoydalle|Kopioi valittu teksti leikepöydälle|Ctrl+C",
                     "InfoEdit_EtsiIMDB|Etsi valittu teksti The Internet Movie Database:sta (IMDb)...|"}));
    EXPECT_EQ(Described(MainForm->Ohjelmat_PopupMenu->Items()),
              Texts({"Ohjelmat_Lishlytyksiin1|&Lisää hälytyksiin (oletusasetuksilla)|Ins",
                     "Lishlytyksiinvalitutasetukset1|Lisää hälytyksiin (valituilla asetuksilla)|Shift+Ins",
                     "Ohjelmat_LisaaAutomaattisiin|Lisää automaattisesti lisättäviin hälytyksiin|Ctrl+Ins"}));
    EXPECT_EQ(Described(MainForm->PopupMenu_Alarms->Items()),
              Texts({"PMenu_Poistahalytys|Poista hälytys|Del", "PMenu_Testaahalytyst|&Testaa hälytystä|Ctrl+T",
                     "PMenu_Muokkaahalytyst|Muokkaa hälytystä...|",
                     "PMenu_Tyhjennahalytyslista|Tyhjennä hälytyslista|"}));
}

TEST_F(MainWindowTest, PanelsColumnsListsTabsTimersAndPlaceStartAsDesigned)
{
    WriteUsualSettings();
    StartWindow(false);
    // The first panel takes what the other two leave of the bar.
    TStatusPanels* panels = MainForm->StatusPanel->Panels();
    ASSERT_EQ(panels->Count(), 3);
    EXPECT_EQ(panels->Items(0)->Alignment(), taLeftJustify);
    EXPECT_EQ(panels->Items(1)->Width(), 90);
    EXPECT_EQ(panels->Items(1)->Alignment(), taCenter);
    EXPECT_EQ(panels->Items(2)->Width(), 80);
    EXPECT_EQ(panels->Items(2)->Alignment(), taCenter);

    // Caption, least width, and the width of a start without stored widths (-1: the column
    // fills what the others leave).
    struct Column {
        const char* caption;
        int minWidth;
        int width;
    };
    const Column columns[] = {{"Päivä", 50, 95},        {"Kanava", 80, 90},     {"Aika", 40, 45},
                              {"Ohjelma", 50, -1},      {"Esittämiseen", 125, 125}, {"Ohjelmaninfo", 0, 0},
                              {"Asetukset", 0, 0}};
    TListColumns* shown = MainForm->Alarmlist->Columns();
    ASSERT_EQ(shown->Count(), 7);
    for (int i = 0; i < 7; ++i) {
        const TListColumn* column = shown->Items(i);
        EXPECT_EQ(column->Caption(), cp1252::FromUtf8(columns[i].caption)) << "column " << i;
        EXPECT_EQ(column->MinWidth(), columns[i].minWidth) << "column " << i;
        if (columns[i].width >= 0) {
            EXPECT_EQ(column->Width(), columns[i].width) << "column " << i;
        }
        EXPECT_EQ(column->AutoSize(), i == 3) << "column " << i;
    }
    EXPECT_EQ(shown->Items(4)->MaxWidth(), 125);

    EXPECT_EQ(Items(MainForm->V_Muut), Texts({"Hälytykset", "TV:ssä nyt"}));
    TStringList* weekdays = MainForm->ViikonPaivatTabs->Tabs();
    ASSERT_EQ(weekdays->Count(), 7);
    const std::vector<AnsiString> names =
        Texts({"Maanantai", "Tiistai", "Keskiviikko", "Torstai", "Perjantai", "Lauantai", "Sunnuntai"});
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(weekdays->Get(i), names[static_cast<std::size_t>(i)]);
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Count(), 2);
    EXPECT_EQ(MainForm->Left(), 1);
    EXPECT_EQ(MainForm->Top(), 1);
    EXPECT_EQ(MainForm->TVTanaanHotkey->Key(), TShortCut(123));

    EXPECT_EQ(MainForm->Timer1->Interval(), 300000u);
    EXPECT_EQ(MainForm->AlarmsTimer->Interval(), 900u);
    EXPECT_EQ(MainForm->BeepTimer->Interval(), 1000u);
}
