#include "DialogsFixture.h"
#include "alarms/AlarmEntry.h"
#include "dialogs/Asetukset.h"
#include "forms/Input.h"
#include "forms/ShownTexts.h"
#include "platform/forms/QtText.h"
#include "kit/CheckListBox.h"
#include "kit/ComboEdits.h"
#include "kit/DualList.h"
#include "kit/DualListForm.h"
#include "kit/KitCombos.h"
#include "kit/SpeedButton.h"
#include "kit/TextListBox.h"
#include "listings/SettingEntries.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Button.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/HotKey.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/UpDown.h"
#include "shell/GlobalHotKey.h"
#include "support/ListRowImage.h"
#include <functional>
#include <memory>
#include <set>

namespace {

using Form = TAsetuksetForm;

class SettingsDialogTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        HotKey = std::make_unique<TGlobalHotKey>(nullptr);
        HotKey->SetKey(VK_F12);
        Dialog = std::make_unique<Form>(nullptr);
        Dialog->HotKey = HotKey.get();
        Dialog->OnSaved = [this](TObject*) { ++Saved; };
    }
    void TearDown() override
    {
        Dialog.reset();
        HotKey.reset();
        DialogsTest::TearDown();
    }

    // Shows the dialog modally; `act` runs once it is up and ends it (a button or a key).
    TModalResult Open(std::function<void(Form&, ModalBox&)> act)
    {
        Answers.push_back([this, act](ModalBox& box) {
            EXPECT_FALSE(HotKey->Enabled()) << "the hot key stays off while the dialog is open";
            act(*Dialog, box);
        });
        return Dialog->ShowModal();
    }
    TModalResult OpenAndPress(const char* caption)
    {
        return Open([caption](Form&, ModalBox& box) { EXPECT_TRUE(box.Press(caption)); });
    }

    // The dual-list chooser's answer: the named channels go from the right list to the left.
    void ExpectChooser(std::vector<AnsiString> toLeft, std::vector<AnsiString>* left = nullptr,
                       std::vector<AnsiString>* right = nullptr, const char* button = "OK")
    {
        Answers.push_back([=](ModalBox& box) {
            auto* chooser = dynamic_cast<TDualListForm*>(box.Form());
            ASSERT_NE(chooser, nullptr);
            if (left)
                *left = Items(*chooser->SrcList->Items());
            if (right)
                *right = Items(*chooser->DstList->Items());
            MoveToLeft(*chooser, toLeft);
            EXPECT_TRUE(box.Press(button));
        });
    }

    static void Type(TEdit* edit, const AnsiString& text) { edit->SetText(text); }

    std::unique_ptr<TGlobalHotKey> HotKey;
    std::unique_ptr<Form> Dialog;
    int Saved = 0;
};

const char* const kAllChannels =
    "TV1;TV2;MTV3;Nelonen;Subtv;Canal+;Canal+ Gold;Canal+ Sininen;TV1000;Cinema;Moon TV;SVT 1;SVT 2;"
    "SVT Europa;TV4 Nordisk;BBC World;MTV Europe;Eurosport;VH-1;Discovery;TNT Cartoon;RTL;Radiomafia;"
    "Radio Yle 1;Radio Suomi;Radio Extrem;";

} // namespace

TEST_F(SettingsDialogTest, FivePagesInOrderAndItOpensOnTheChosenOne)
{
    ASSERT_EQ(Dialog->PageControl1->PageCount(), 5);
    const char* const pages[] = {"Yleiset", "Hälytykset", "Kanavat", "Väritys", "Näkymät"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Dialog->PageControl1->Pages(i)->Caption(), Cp(pages[i]));
    EXPECT_EQ(Dialog->PageControl1->ActivePageIndex(), 0);
    Dialog->SetActivePage(Cp("Väritys"));
    EXPECT_EQ(Dialog->PageControl1->ActivePageIndex(), 3);
    EXPECT_FALSE(Dialog->VariButton1->Enabled());
    EXPECT_FALSE(Dialog->NakButton3->Enabled());
    EXPECT_EQ(Items(*Dialog->NComboBox->Items()),
              (std::vector<AnsiString>{"Aikajono", "Taulukko", "Taulukko (laaja)", "Taulukko 2", "Taulukko 2 (laaja)"}));
}

// Every label, heading, check box, button and hint the five pages show, as designed.
TEST_F(SettingsDialogTest, EveryTextOfThePagesIsShown)
{
    const std::set<AnsiString> shown = ShownTexts(*Dialog);
    EXPECT_EQ(Dialog->Caption(), "Asetukset");
    for (const char* text :
         {"Oletusnäkymä:", "TV tänään pikanäppäin:", "HTTP proxyn osoite:", "Portti:",
          "Poista yli 2 viikkoa vanhat ohjelmatiedostot", "Poista menneet ohjelmat listasta",
          "Käynnistä ohjelma pienennettynä", "Pienennä ohjelma aina työkaluriville", "Hälytys ",
          "minuuttia ennen ohjelman alkua", "Uuden hälytyksen oletusasetukset", "PC Speaker -ääni",
          "Uuden hälytyksen lisäasetukset",
          "Piippaa speakkerin kautta. Sopii esim jos äänikortti on käytössä tai ole äänikorttia lainkaan.", "kertaa",
          "Soita äänitiedosto:", "Soittaa tietyn .wav äänen hälyttäessä.", "Käynnistä/avaa tiedosto:",
          "Käynnistää tietyn ohjelman hälyttäessä tai avaa tiedoston sille valitulla ohjelmalla.",
          "Automaattisesti hälytyksiin lisättävät ", "Varmista lisäykset yksitellen", "Käytössä olevat kanavat:",
          "Omat väritykset käytössä", "Omat väritykset (tärkeysjärjestyksessä)", "Uuden lisääminen",
          "Värityksen sanat:", "Väri:", "Lisää", "Poista", "Tallenna", "Hälytysten väri", "Omat näkymät:",
          "Näkymän otsikko:", "Näkymän tyyppi:", "Näkymän kanavat:", "Taulukoissa ohjelmien otsikoissa kellonaika",
          "&OK", "&Poistu"})
        EXPECT_TRUE(shown.count(Cp(text))) << text;
    EXPECT_EQ(Dialog->DualList->Label1Caption(), "&Valitut");
    EXPECT_EQ(Dialog->DualList->Label2Caption(), "&Valittavat");
    EXPECT_EQ(Dialog->DualList->CancelBtnCaption(), "Peruuta");
    EXPECT_FALSE(Dialog->DualList->ShowHelp());
}

TEST_F(SettingsDialogTest, TheEditsWithButtonsAndTheColourPickersAreTheDesignedOnes)
{
    TComboEdit& channels = *Dialog->NComboEdit;
    EXPECT_EQ(channels.Width(), 265);
    EXPECT_EQ(channels.Height(), 21);
    EXPECT_EQ(channels.GlyphKind(), gkEllipsis);
    EXPECT_EQ(channels.ButtonWidth(), 13);
    EXPECT_EQ(channels.Button()->Width(), 13);
    // The ellipsis of a 13-pixel button is 7 pixels wide.
    EXPECT_EQ(channels.Button()->Glyph().Width(), 7);
    EXPECT_FALSE(channels.DirectInput());

    const TOpenOptions mustExist{ofReadOnly, ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing};
    TFilenameEdit& sound = *Dialog->HalytysEdit1;
    EXPECT_EQ(sound.Width(), 132);
    EXPECT_EQ(sound.ButtonWidth(), 20);
    EXPECT_TRUE(sound.AcceptFiles());
    EXPECT_EQ(sound.Filter(), Cp("MP3 (*.mp3)|*.mp3|Midi (*.mid)|*.mid|Wav-äänet (*.wav)|*.wav|Kaikki tiedostot|*.*"));
    EXPECT_EQ(sound.FilterIndex(), 3);
    EXPECT_TRUE(sound.DialogOptions() == mustExist);
    EXPECT_EQ(sound.DialogTitle(), "Selaa tiedostoja");

    // The program's edit keeps the file-name edit's own defaults but for its filter and title.
    TFilenameEdit& program = *Dialog->HalytysEdit2;
    EXPECT_EQ(program.Width(), 132);
    EXPECT_EQ(program.ButtonWidth(), 21);
    EXPECT_FALSE(program.AcceptFiles());
    EXPECT_EQ(program.Filter(), "Ohjelmat  (*.exe)|*.exe|Kaikki tiedostot (*.*)|*.*");
    EXPECT_EQ(program.FilterIndex(), 1);
    EXPECT_TRUE(program.DialogOptions() == TOpenOptions{ofHideReadOnly});
    EXPECT_EQ(program.DialogTitle(), "Selaa tiedostoja");

    EXPECT_EQ(Dialog->HalytysVari->Width(), 79);
    EXPECT_EQ(Dialog->HalytysVari->Height(), 22);
    EXPECT_EQ(Dialog->HalytysVari->ColorValue(), clFuchsia);
    EXPECT_EQ(Dialog->VColorComboBox->Width(), 55);
    EXPECT_EQ(Dialog->VColorComboBox->Height(), 22);
    EXPECT_EQ(Dialog->VColorComboBox->ColorValue(), clNavy);
    for (TColorComboBox* picker : {Dialog->HalytysVari, Dialog->VColorComboBox})
        EXPECT_FALSE(picker->DisplayNames());
}

TEST_F(SettingsDialogTest, WithoutASettingsFileEveryControlShowsItsDefaultAndEscapeWritesNothing)
{
    EXPECT_EQ(Open([](Form& d, ModalBox&) {
                  EXPECT_EQ(d.UpDown1->Position(), 5);
                  EXPECT_EQ(d.HalytysTyypitList->ItemIndex(), 0);
                  EXPECT_TRUE(d.ACB1->Checked());
                  EXPECT_EQ(d.HalytysEdit5->Text(), "5");
                  EXPECT_EQ(d.HalytysEdit1->Text(), "");
                  EXPECT_EQ(d.HalytysEdit2->Text(), "");
                  EXPECT_FALSE(d.ACB2->Checked());
                  EXPECT_EQ(d.HalytysLst4->Count(), 0);
                  EXPECT_TRUE(d.ACB3->Checked());

                  EXPECT_EQ(d.MuutEdit1->HotKey(), 123);
                  EXPECT_EQ(d.MuutEdit2->Text(), "");
                  EXPECT_EQ(d.MuutEdit3->Text(), "80");
                  for (TCheckBox* box : {d.MCB1, d.MCB2, d.MCB3, d.MCB4})
                      EXPECT_FALSE(box->Checked()) << box->Name();

                  ASSERT_EQ(d.KanavatList->Count(), 26);
                  EXPECT_EQ(SemicolonList(kAllChannels), Items(*d.KanavatList->Items()));
                  for (int i = 0; i < d.KanavatList->Count(); ++i)
                      EXPECT_TRUE(d.KanavatList->Checked(i)) << i;

                  EXPECT_FALSE(d.VCB1->Checked());
                  // No count key: one empty entry, in both lists.
                  EXPECT_EQ(Items(*d.VarityksetList->Items()), std::vector<AnsiString>{""});
                  EXPECT_EQ(d.HalytysVari->ColorValue(), clRed);
                  EXPECT_EQ(Items(*d.NakymatList->Items()), std::vector<AnsiString>{""});
                  EXPECT_EQ(Items(*d.MCBox1->Items()), (std::vector<AnsiString>{"Normaali", ""}));
                  EXPECT_FALSE(d.NCB1->Checked());
                  EXPECT_EQ(d.NComboBox->ItemIndex(), 0);

                  PressKey(d.VEdit->Widget(), Qt::Key_Escape);
              }),
              mrCancel);
    EXPECT_FALSE(FileExists(SettingsPath()));
    EXPECT_TRUE(HotKey->Enabled());
    EXPECT_EQ(HotKey->Key(), VK_F12);
    EXPECT_EQ(Saved, 0);
}

TEST_F(SettingsDialogTest, OkWritesExactlyTheKeysOfItsFivePagesInOrder)
{
    EXPECT_EQ(OpenAndPress("OK"), mrOk);
    const SettingsContent expected = {
        {Cp("Hälytys"),
         {Cp("Tyyppi=Normaali ilmoitus näytölle"), Cp("Ääni="), "Ohjelma=", "MinuutitEnnenOhjelmaa=5",
          Cp("PCSpeakerKäytössä=1"), "PCSpeakerTimes=5", Cp("AutomaattisestiLisättävät="),
          Cp("LisääAutomaattisesti=0"), Cp("LisääAutomaattisestiVarmista=1")}},
        {"Muut",
         {"PoistaVanhatTiedostot=0", "PoistaMenneetOhjelmat=0", Cp("KäynnistäPienennettynä=0"), "SystrayPienennys=0",
          Cp("TVTänäänPikanäppäin=123"), "ProxyIP=", "ProxyPortti=80", Cp("OletusNäkymä=")}},
        {"Kanavat", {Cp("Käytössä=") + kAllChannels, AnsiString("Kanavat=") + kAllChannels}},
        {Cp("Väritys"), {Cp("Käytössä=0"), Cp("HälytystenVäri=clRed"), Cp("OmiaVärityksiä=0"), Cp("OmaVäritys0=")}},
        {Cp("Näkymät"), {Cp("OmiaNäkymiä=0"), Cp("OmaNäkymä0="), "KloAika=0"}},
    };
    EXPECT_EQ(ReadSettings(), expected);
    EXPECT_EQ(Saved, 1);
    EXPECT_TRUE(HotKey->Enabled());
}

TEST_F(SettingsDialogTest, NewAlarmsAreMadeAsTheDialogShowsBeforeItWasEverSaved)
{
    const AnsiString unsaved = DefaultAlarmActionString();
    EXPECT_EQ(OpenAndPress("OK"), mrOk);
    EXPECT_EQ(DefaultAlarmActionString(), unsaved);
}

TEST_F(SettingsDialogTest, OkReplacesTheFileOnceAndKeepsEveryOtherLineByteForByte)
{
    WriteSettings({"; oma kommentti", "[muut]", "proxyip = \"vanha\"", "Tuntematon=pysyy", "", "[Kanavat]",
                   "Käytössä=TV1;", "Käytössä=TV2;"});
    int writes = 0;
    SetFileFault([&](const AnsiString& path, bool writing) {
        writes += writing && path == SettingsPath();
        return 0;
    });
    EXPECT_EQ(OpenAndPress("OK"), mrOk);
    SetFileFault(nullptr);
    EXPECT_EQ(writes, 1);
    // Keys in place keep their spelling and blanks, new keys follow their section's last line,
    // new sections come at the end in the order written.
    const std::string expected = cp1252::FromUtf8(
        "; oma kommentti\r\n[muut]\r\nproxyip = vanha\r\nTuntematon=pysyy\r\nPoistaVanhatTiedostot=0\r\n"
        "PoistaMenneetOhjelmat=0\r\nKäynnistäPienennettynä=0\r\nSystrayPienennys=0\r\nTVTänäänPikanäppäin=123\r\n"
        "ProxyPortti=80\r\nOletusNäkymä=\r\n\r\n[Kanavat]\r\nKäytössä=TV1;\r\nKäytössä=TV2;\r\nKanavat=")
        + kAllChannels + cp1252::FromUtf8("\r\n\r\n[Hälytys]\r\nTyyppi=Normaali ilmoitus näytölle\r\nÄäni=\r\n"
        "Ohjelma=\r\nMinuutitEnnenOhjelmaa=5\r\nPCSpeakerKäytössä=1\r\nPCSpeakerTimes=5\r\n"
        "AutomaattisestiLisättävät=\r\nLisääAutomaattisesti=0\r\nLisääAutomaattisestiVarmista=1\r\n\r\n"
        "[Väritys]\r\nKäytössä=0\r\nHälytystenVäri=clRed\r\nOmiaVärityksiä=0\r\nOmaVäritys0=\r\n\r\n"
        "[Näkymät]\r\nOmiaNäkymiä=0\r\nOmaNäkymä0=\r\nKloAika=0\r\n");
    EXPECT_EQ(SettingsBytes(), expected);
}

TEST_F(SettingsDialogTest, StoredValuesAreShownAndWrittenBackUnchanged)
{
    WriteSettings({"[Hälytys]", "Tyyppi=Vain lisäasetukset", "Ääni=/home/u/kello.wav", "Ohjelma=/usr/bin/true",
                   "MinuutitEnnenOhjelmaa=12", "PCSpeakerKäytössä=0", "PCSpeakerTimes=3",
                   "AutomaattisestiLisättävät=Uutiset;Ryhmä H;", "LisääAutomaattisesti=1",
                   "LisääAutomaattisestiVarmista=0", "[Muut]", "PoistaVanhatTiedostot=1", "PoistaMenneetOhjelmat=1",
                   "KäynnistäPienennettynä=1", "SystrayPienennys=1", "TVTänäänPikanäppäin=16507",
                   "ProxyIP=proxy.example", "ProxyPortti=8080", "OletusNäkymä=Leffat", "[Kanavat]",
                   "Käytössä=MTV3;TV1;", "Kanavat=TV1;TV2;MTV3;", "[Väritys]", "Käytössä=1",
                   "HälytystenVäri=clBlue", "OmiaVärityksiä=1", "OmaVäritys0=<c:clRed>Uutiset;",
                   "OmaVäritys1=<c:clGreen>Jääkiekko;Formula;", "[Näkymät]", "OmiaNäkymiä=1",
                   "OmaNäkymä0=Leffat:Taulukko:TV1;MTV3;", "OmaNäkymä1=Illan uutiset:Aikajono:TV2;", "KloAika=1"});
    const SettingsContent before = ReadSettings();
    EXPECT_EQ(Open([](Form& d, ModalBox& box) {
                  EXPECT_EQ(d.UpDown1->Position(), 12);
                  EXPECT_EQ(d.HalytysTyypitList->ItemIndex(), 2);
                  EXPECT_FALSE(d.ACB1->Checked());
                  EXPECT_EQ(d.HalytysEdit5->Text(), "3");
                  EXPECT_EQ(d.HalytysEdit1->FileName(), "/home/u/kello.wav");
                  EXPECT_EQ(Items(*d.HalytysLst4->Items()), (std::vector<AnsiString>{"Uutiset", Cp("Ryhmä H")}));
                  EXPECT_EQ(d.MuutEdit1->HotKey(), scCtrl + VK_F12);
                  EXPECT_EQ(d.MuutEdit2->Text(), "proxy.example");
                  EXPECT_TRUE(d.MCB3->Checked());
                  EXPECT_EQ(Items(*d.KanavatList->Items()), (std::vector<AnsiString>{"TV1", "TV2", "MTV3"}));
                  EXPECT_TRUE(d.KanavatList->Checked(0));
                  EXPECT_FALSE(d.KanavatList->Checked(1));
                  EXPECT_TRUE(d.KanavatList->Checked(2));
                  EXPECT_EQ(d.VarityksetList->Count(), 2);
                  EXPECT_EQ(d.HalytysVari->ColorValue(), clBlue);
                  EXPECT_EQ(Items(*d.MCBox1->Items()), (std::vector<AnsiString>{"Normaali", "Leffat", "Illan uutiset"}));
                  EXPECT_EQ(d.MCBox1->ItemIndex(), 1);
                  EXPECT_TRUE(d.NCB1->Checked());
                  EXPECT_TRUE(box.Press("OK"));
              }),
              mrOk);
    // Only the channel order is written in the dialog's order: enabled ones as the list has them.
    SettingsContent after = ReadSettings();
    SettingsContent expected = before;
    for (auto& [section, lines] : expected)
        if (section == "Kanavat")
            lines = {Cp("Käytössä=TV1;MTV3;"), "Kanavat=TV1;TV2;MTV3;"};
    auto sorted = [](SettingsContent content) {
        for (auto& section : content)
            std::sort(section.second.begin(), section.second.end());
        std::sort(content.begin(), content.end());
        return content;
    };
    EXPECT_EQ(sorted(after), sorted(expected));
}

TEST_F(SettingsDialogTest, NumbersOutsideTheirRangeAreWrittenAsTheNearestValueAndAnUnknownNoticeTypeIsKept)
{
    WriteSettings({"[Hälytys]", "Tyyppi=Vanha tyyppi", "MinuutitEnnenOhjelmaa=kymmenen"});
    Open([](Form& d, ModalBox& box) {
        // A stored lead time that is no number shows the default.
        EXPECT_EQ(d.UpDown1->Position(), 5);
        EXPECT_EQ(d.HalytysTyypitList->ItemIndex(), -1);
        d.HalytysEdit3->SetText("75");
        d.HalytysEdit5->SetText("");
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Hälytys", "MinuutitEnnenOhjelmaa"), "59");
    EXPECT_EQ(Setting("Hälytys", "PCSpeakerTimes"), "0");
    EXPECT_EQ(Setting("Hälytys", "Tyyppi"), "Vanha tyyppi");
}

TEST_F(SettingsDialogTest, TheHotKeyFieldTakesAPressedCombinationAndOkHandsItToTheGlobalKey)
{
    Open([](Form& d, ModalBox& box) {
        PressKey(d.MuutEdit1->Widget(), Qt::Key_F9, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_EQ(d.MuutEdit1->HotKey(), scAlt + scShift + VK_F9);
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Muut", "TVTänäänPikanäppäin"), IntToStr(scAlt + scShift + VK_F9));
    EXPECT_EQ(HotKey->Key(), scAlt + scShift + VK_F9);
    EXPECT_TRUE(HotKey->Enabled());
}

TEST_F(SettingsDialogTest, PoistuLeavesTheFileByteForByte)
{
    WriteSettings({"[Muut]", "ProxyIP=vanha", "[Kanavat]", "Käytössä=TV1;"});
    const std::string before = SettingsBytes();
    EXPECT_EQ(Open([](Form& d, ModalBox& box) {
                  d.MuutEdit2->SetText("uusi");
                  d.KanavatList->SetChecked(1, true);
                  EXPECT_TRUE(box.Press("Poistu"));
              }),
              mrCancel);
    EXPECT_EQ(SettingsBytes(), before);
    EXPECT_EQ(Saved, 0);
}

TEST_F(SettingsDialogTest, ColouringEditorAddsChangesMovesAndDeletesEntries)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2", "OmaVäritys0=<c:clRed>Uutiset;", "OmaVäritys1=<c:clGreen>Urheilu;",
                   "OmaVäritys2=<c:clBlue>Elokuva;"});
    Open([](Form& d, ModalBox& box) {
        Type(d.VEdit, "Jääkiekko"_a);
        EXPECT_FALSE(d.VariButton1->Enabled());
        Type(d.VEdit, "Jääkiekko;Formula"_a);
        EXPECT_FALSE(d.VariButton3->Enabled());
        Type(d.VEdit, "Jääkiekko;Formula;"_a);
        EXPECT_TRUE(d.VariButton1->Enabled());
        EXPECT_TRUE(d.VariButton3->Enabled());
        EXPECT_FALSE(d.VariButton2->Enabled());
        EXPECT_EQ(d.VEdit->Hint(), "Jääkiekko;Formula;"_a);
        EXPECT_EQ(HintShownOver(d.VEdit->Widget()), ToQString("Jääkiekko;Formula;"_a));
        d.VColorComboBox->SetColorValue(clPurple);
        d.VariButton1->Click();
        EXPECT_EQ(d.VarityksetList->Items()->Get(3), "<c:clPurple>Jääkiekko;Formula;"_a);

        // Choosing an entry fills the fields; saving replaces it.
        d.VarityksetList->SetItemIndex(1);
        d.VarityksetListClick(d.VarityksetList);
        EXPECT_TRUE(d.VariButton2->Enabled());
        EXPECT_EQ(d.VEdit->Text(), "Urheilu;");
        EXPECT_EQ(d.VColorComboBox->ColorValue(), clGreen);
        d.VColorComboBox->SetColorValue(clOlive);
        Type(d.VEdit, "Urheilu;Formula 1");
        d.VariButton3->Click();
        EXPECT_EQ(d.VarityksetList->Items()->Get(1), "<c:clOlive>Urheilu;Formula 1;");

        // Up and down exchange with the neighbour; the selection keeps its place.
        d.SpeedButton2->Click();
        EXPECT_EQ(d.VarityksetList->Items()->Get(0), "<c:clOlive>Urheilu;Formula 1;");
        EXPECT_EQ(d.VarityksetList->ItemIndex(), 1);
        d.VarityksetList->SetItemIndex(0);
        d.SpeedButton2->Click();
        EXPECT_EQ(d.VarityksetList->Items()->Get(0), "<c:clOlive>Urheilu;Formula 1;");
        d.VarityksetList->SetItemIndex(3);
        d.SpeedButton1->Click();
        EXPECT_EQ(d.VarityksetList->Items()->Get(3), "<c:clPurple>Jääkiekko;Formula;"_a);

        d.VarityksetList->SetItemIndex(2);
        d.VarityksetListClick(d.VarityksetList);
        d.VariButton2->Click();
        EXPECT_EQ(d.VEdit->Text(), "");
        EXPECT_FALSE(d.VariButton1->Enabled());
        EXPECT_FALSE(d.VariButton2->Enabled());
        EXPECT_FALSE(d.VariButton3->Enabled());
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Väritys", "OmiaVärityksiä"), "2");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys0"), "<c:clOlive>Urheilu;Formula 1;");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys1"), "<c:clRed>Uutiset;");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys2"), Cp("<c:clPurple>Jääkiekko;Formula;"));
}

// Keywords are looked for in listing text, so they may hold what looks like markup: only the
// colour tag in front is the entry's own.
TEST_F(SettingsDialogTest, ColouringKeywordsThatLookLikeMarkupAreEditedWhole)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=0", "OmaVäritys0=<c:clBlue><b>;<t;Tom & Jerry;"});
    Open([](Form& d, ModalBox& box) {
        d.VarityksetList->SetItemIndex(0);
        d.VarityksetListClick(d.VarityksetList);
        EXPECT_EQ(d.VEdit->Text(), "<b>;<t;Tom & Jerry;");
        EXPECT_EQ(d.VColorComboBox->ColorValue(), clBlue);
        d.VariButton3->Click();
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Väritys", "OmaVäritys0"), "<c:clBlue><b>;<t;Tom & Jerry;");
}

namespace {

// The start of a row of the colouring list as it should look: `text` put out plainly from 2
// pixels in the list's font and `colour`, over `background`, up to where the text's cell ends
// (the list's own frame of a chosen row may lie beyond it).
QImage PlainRowStart(TListBox& list, int index, const AnsiString& text, TColor colour, TColor background)
{
    const TRect rect = list.ItemRect(index);
    QImage image(rect.Width(), rect.Height(), QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Font()->Assign(*list.Font());
    canvas.Font()->SetColor(colour);
    canvas.Brush()->SetColor(background);
    canvas.FillRect(Rect(0, 0, rect.Width(), rect.Height()));
    canvas.TextOut(2, 0, text);
    return image.copy(0, 0, std::min(rect.Width(), 2 + canvas.TextWidth(text)), rect.Height());
}

bool StartsWithPixels(const QImage& shown, const QImage& start)
{
    return shown.copy(start.rect()).convertToFormat(QImage::Format_RGB32) == start.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The list shows each entry's keywords in the entry's colour, plainly: keywords are listing text,
// so nothing in them is a mark of the list's own.
TEST_F(SettingsDialogTest, ColouringListShowsEachEntrysKeywordsAsTextInItsColour)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=3", "OmaVäritys0=<c:clBlue>Uutiset;", "OmaVäritys1=<c:clBlue><b>;<t;&amp;;",
                   "OmaVäritys2=<c:clGreen><c:clRed>;Tom &amp; Jerry;", "OmaVäritys3=Elokuva;"});
    Dialog->SetActivePage(Cp("Väritys"));
    Open([](Form& d, ModalBox& box) {
        TListBox& list = *d.VarityksetList;
        ASSERT_EQ(list.Count(), 4);
        const std::pair<const char*, TColor> shown[] = {{"Uutiset;", clBlue},
                                                        {"<b>;<t;&amp;;", clBlue},
                                                        {"<c:clRed>;Tom &amp; Jerry;", clGreen},
                                                        {"Elokuva;", list.Font()->Color()}};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(StartsWithPixels(fixture::ListRowImage(list, i),
                                         PlainRowStart(list, i, shown[i].first, shown[i].second, list.Color())))
                << "entry " << i << " is not \"" << shown[i].first << "\" in its colour";
        // The chosen entry is drawn in the window colour over the highlight.
        list.SetItemIndex(1);
        EXPECT_TRUE(StartsWithPixels(fixture::ListRowImage(list, 1),
                                     PlainRowStart(list, 1, "<b>;<t;&amp;;", clWindow, clHighlight)))
            << "the chosen entry is not its keywords in the window colour";
        EXPECT_TRUE(box.Press("Poistu"));
    });
}

TEST_F(SettingsDialogTest, FewerEntriesThanStoredLeaveTheOldKeysUnread)
{
    WriteSettings({"[Väritys]", "OmiaVärityksiä=2", "OmaVäritys0=<c:clRed>A;", "OmaVäritys1=<c:clRed>B;",
                   "OmaVäritys2=<c:clRed>C;"});
    Open([](Form& d, ModalBox& box) {
        d.VarityksetList->SetItemIndex(0);
        d.VarityksetListClick(d.VarityksetList);
        d.VariButton2->Click();
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Väritys", "OmiaVärityksiä"), "1");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys0"), "<c:clRed>B;");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys1"), "<c:clRed>C;");
    EXPECT_EQ(Setting("Väritys", "OmaVäritys2"), "<c:clRed>C;");
}

TEST_F(SettingsDialogTest, AHugeCountReadsOnlyTheEntriesTheFileHolds)
{
    WriteSettings({"[Näkymät]", "OmiaNäkymiä=2000000000", "OmaNäkymä0=A:Taulukko:TV1;", "OmaNäkymä1=B:Aikajono:TV2;",
                   "[Väritys]", "OmiaVärityksiä=-1"});
    Open([](Form& d, ModalBox& box) {
        EXPECT_EQ(Items(*d.NakymatList->Items()),
                  (std::vector<AnsiString>{"A:Taulukko:TV1;", "B:Aikajono:TV2;"}));
        // "-1" is the stored form of an empty list.
        EXPECT_EQ(d.VarityksetList->Count(), 0);
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Näkymät", "OmiaNäkymiä"), "1");
    EXPECT_EQ(Setting("Väritys", "OmiaVärityksiä"), "-1");

    // An entry stored at a far index ends the lists at their longest, not there.
    WriteSettings({"[Näkymät]", "OmiaNäkymiä=2000000000", "OmaNäkymä0=A:Taulukko:TV1;", "OmaNäkymä70000=Z:Taulukko:TV2;",
                   "[Väritys]", "OmiaVärityksiä=2000000000", "OmaVäritys0=<c:clRed>A;", "OmaVäritys70000=<c:clRed>Z;"});
    Open([](Form& d, ModalBox& box) {
        EXPECT_EQ(d.NakymatList->Items()->Count(), kMostListEntries);
        EXPECT_EQ(d.NakymatList->Items()->Get(0), "A:Taulukko:TV1;");
        EXPECT_EQ(d.VarityksetList->Count(), kMostListEntries);
        EXPECT_TRUE(box.Press("Poistu"));
    });
}

TEST_F(SettingsDialogTest, ViewEditorBuildsEntriesAndTheChooserOffersTheStoredEnabledChannels)
{
    WriteSettings({"[Kanavat]", "Käytössä=TV1;TV2;MTV3;Nelonen;", "[Näkymät]", "OmiaNäkymiä=0",
                   "OmaNäkymä0=Illalla:Taulukko 2:Nelonen;TV1;"});
    std::vector<AnsiString> left;
    std::vector<AnsiString> right;
    Open([&](Form& d, ModalBox& box) {
        // Ticks changed in the open dialog do not reach the chooser.
        d.KanavatList->SetChecked(1, false);
        d.NakymatList->SetItemIndex(0);
        d.NakymatListClick(d.NakymatList);
        EXPECT_EQ(d.NEdit->Text(), "Illalla");
        EXPECT_EQ(d.NComboBox->Text(), "Taulukko 2");
        EXPECT_EQ(d.NComboEdit->Text(), "Nelonen;TV1;");
        EXPECT_TRUE(d.NakButton3->Enabled());
        EXPECT_EQ(d.NComboEdit->Hint(), "Nelonen;TV1;");

        ExpectChooser({"MTV3"}, &left, &right);
        d.NComboEdit->EditButtonClick();
        // Moved channels join the end of the chosen ones.
        EXPECT_EQ(d.NComboEdit->Text(), "TV1;Nelonen;MTV3;");

        // A ':' in the title would split the caption: it becomes a blank.
        Type(d.NEdit, "Illan: parhaat");
        d.NakButton1->Click();
        EXPECT_EQ(d.NakymatList->Items()->Get(1), "Illan  parhaat:Taulukko 2:TV1;Nelonen;MTV3;");
        // Keys typed into the channel field change nothing.
        PressKey(d.NComboEdit->Widget(), Qt::Key_A, Qt::NoModifier, "a");
        EXPECT_EQ(d.NComboEdit->Text(), "TV1;Nelonen;MTV3;");

        d.NakymatList->SetItemIndex(1);
        d.NakymatListClick(d.NakymatList);
        d.NComboBox->SetItemIndex(0);
        d.NakButton3->Click();
        EXPECT_EQ(d.NakymatList->Items()->Get(1), "Illan  parhaat:Aikajono:TV1;Nelonen;MTV3;");
        d.SpeedButton3->Click();
        EXPECT_EQ(d.NakymatList->Items()->Get(0), "Illan  parhaat:Aikajono:TV1;Nelonen;MTV3;");

        d.NakymatList->SetItemIndex(1);
        d.NakymatListClick(d.NakymatList);
        d.NakButton2->Click();
        EXPECT_EQ(d.NEdit->Text(), "");
        EXPECT_EQ(d.NComboEdit->Text(), "");
        EXPECT_EQ(d.NComboBox->ItemIndex(), -1);
        EXPECT_FALSE(d.NakButton1->Enabled());
        EXPECT_FALSE(d.NakButton2->Enabled());
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(left, (std::vector<AnsiString>{"TV1", "Nelonen"}));
    EXPECT_EQ(right, (std::vector<AnsiString>{"TV2", "MTV3"}));
    EXPECT_EQ(Setting("Näkymät", "OmiaNäkymiä"), "0");
    EXPECT_EQ(Setting("Näkymät", "OmaNäkymä0"), "Illan  parhaat:Aikajono:TV1;Nelonen;MTV3;");
}

// The channel field takes no typing, yet Tab and Shift+Tab pass through it like any other field.
TEST_F(SettingsDialogTest, TabWalksTheViewsPageThroughTheChannelFieldAndShiftTabWalksBack)
{
    WriteSettings({"[Näkymät]", "OmiaNäkymiä=1", "OmaNäkymä0=Illalla:Taulukko 2:Nelonen;TV1;"});
    Dialog->SetActivePage(Cp("Näkymät"));
    Open([this](Form& d, ModalBox& box) {
        d.NakymatList->SetItemIndex(0);
        d.NakymatListClick(d.NakymatList);
        const std::vector<TWinControl*> page{d.NakymatList, d.NEdit,      d.NComboBox,  d.NComboEdit,
                                             d.NakButton1,  d.NakButton2, d.NakButton3, d.NCB1};
        auto walk = [&](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
            std::vector<TWinControl*> walked;
            for (std::size_t i = 1; i < page.size(); ++i) {
                PressKey(QApplication::focusWidget(), key, modifiers, text);
                Flush();
                for (TWinControl* control : page)
                    if (control->Focused())
                        walked.push_back(control);
            }
            return walked;
        };
        d.NakymatList->SetFocus();
        Flush();
        EXPECT_EQ(walk(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")),
                  std::vector<TWinControl*>(page.begin() + 1, page.end()));
        EXPECT_EQ(walk(Qt::Key_Backtab, Qt::ShiftModifier, QString()),
                  std::vector<TWinControl*>(page.rbegin() + 1, page.rend()));
        EXPECT_EQ(d.NComboEdit->Text(), "Nelonen;TV1;");
        EXPECT_TRUE(box.Press("Poistu"));
    });
}

TEST_F(SettingsDialogTest, TheViewChooserCancelledKeepsTheChannels)
{
    Open([this](Form& d, ModalBox& box) {
        Type(d.NEdit, "Uusi");
        ExpectChooser({"TV2"}, nullptr, nullptr, "Peruuta");
        d.NComboEdit->EditButtonClick();
        EXPECT_EQ(d.NComboEdit->Text(), "");
        EXPECT_FALSE(d.NakButton1->Enabled());
        ExpectChooser({"TV2", "TV1"});
        d.NComboEdit->EditButtonClick();
        EXPECT_EQ(d.NComboEdit->Text(), "TV2;TV1;");
        EXPECT_TRUE(d.NakButton1->Enabled());
        EXPECT_TRUE(box.Press("Poistu"));
    });
}

TEST_F(SettingsDialogTest, ChannelsAreReorderedByDraggingAndTheTicksDecideTheEnabledList)
{
    WriteSettings({"[Kanavat]", "Kanavat=TV1;TV2;MTV3;Nelonen;", "Käytössä=TV2;Subtv;TV1;"});
    Open([](Form& d, ModalBox& box) {
        EXPECT_EQ(Items(*d.KanavatList->Items()), (std::vector<AnsiString>{"TV1", "TV2", "MTV3", "Nelonen"}));
        bool accept = false;
        d.KanavatListDragOver(d.KanavatList, d.VarityksetList, 1, 1, dsDragMove, accept);
        EXPECT_FALSE(accept);
        d.KanavatListDragOver(d.KanavatList, d.KanavatList, 1, 1, dsDragMove, accept);
        EXPECT_TRUE(accept);

        // Nelonen onto TV2's row, then TV1 below the last row.
        d.KanavatList->SetItemIndex(3);
        const TRect second = d.KanavatList->ItemRect(1);
        d.KanavatListDragDrop(d.KanavatList, d.KanavatList, second.Left + 30, second.Top + 2);
        EXPECT_EQ(Items(*d.KanavatList->Items()), (std::vector<AnsiString>{"TV1", "Nelonen", "TV2", "MTV3"}));
        d.KanavatList->SetItemIndex(0);
        d.KanavatListDragDrop(d.KanavatList, d.KanavatList, 30, d.KanavatList->ClientHeight() - 2);
        EXPECT_EQ(Items(*d.KanavatList->Items()), (std::vector<AnsiString>{"Nelonen", "TV2", "MTV3", "TV1"}));
        EXPECT_TRUE(d.KanavatList->Checked(3)) << "a moved channel keeps its tick";
        d.KanavatList->SetChecked(0, true);
        d.KanavatList->SetChecked(1, false);
        EXPECT_TRUE(box.Press("OK"));
    });
    // Subtv was enabled but is not in the list: it is neither listed nor kept.
    EXPECT_EQ(Setting("Kanavat", "Käytössä"), "Nelonen;TV1;");
    EXPECT_EQ(Setting("Kanavat", "Kanavat"), "Nelonen;TV2;MTV3;TV1;");
}

TEST_F(SettingsDialogTest, KeywordsOfAutomaticAlarmsNeedFourCharacters)
{
    Open([this](Form& d, ModalBox& box) {
        Answers.push_back([](ModalBox& input) {
            EXPECT_EQ(input.Caption(), "Automaattisesti lisättävä hälytys"_a);
            EXPECT_EQ(input.Text(), "Ohjelman nimi:");
            input.SetEditText(0, "Ale");
            EXPECT_TRUE(input.Press("OK"));
        });
        Answers.push_back([](ModalBox& error) {
            EXPECT_EQ(error.Caption(), "Virhe");
            EXPECT_EQ(error.Text(), "Ohjelman nimi on liian lyhyt.");
            EXPECT_EQ(error.Buttons(), std::vector<AnsiString>{"OK"});
            EXPECT_TRUE(error.Press("OK"));
        });
        d.SpeedButton6->Click();
        EXPECT_EQ(d.HalytysLst4->Count(), 0);
        for (const char* name : {"Ryhmä H", "Peli"}) { // four characters are enough
            Answers.push_back([name](ModalBox& input) {
                input.SetEditText(0, Cp(name));
                EXPECT_TRUE(input.Press("OK"));
            });
            d.SpeedButton6->Click();
        }
        Answers.push_back([](ModalBox& input) { EXPECT_TRUE(input.Press("Peruuta")); });
        d.SpeedButton6->Click();
        d.HalytysLst4->SetItemIndex(0);
        d.SpeedButton5->Click();
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(Setting("Hälytys", "AutomaattisestiLisättävät"), "Peli;");
}

TEST_F(SettingsDialogTest, ResetAnsweredYesDeletesTheFileAndTheDialogOpensOnTheDefaults)
{
    WriteSettings({"[Hälytys]", "MinuutitEnnenOhjelmaa=30", "[Muut]", "ProxyIP=vanha"});
    Dialog->SetActivePage(Cp("Hälytykset"));
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Hyväksy"_a);
        EXPECT_EQ(box.Text(), "Huom! kaikki nykyiset asetukset menetetään\r\nhaluatko varmasti jatkaa?"_a);
        EXPECT_EQ(box.Buttons(), (std::vector<AnsiString>{"&Kyllä"_a, "&Ei"}));
        EXPECT_TRUE(box.Press("&Kyllä"_a));
    });
    Dialog->Button10Click(nullptr);
    EXPECT_FALSE(FileExists(SettingsPath()));
    EXPECT_TRUE(HotKey->Enabled());
    Open([](Form& d, ModalBox& box) {
        EXPECT_EQ(d.PageControl1->ActivePageIndex(), 1);
        EXPECT_EQ(d.UpDown1->Position(), 5);
        EXPECT_EQ(d.MuutEdit2->Text(), "");
        EXPECT_TRUE(box.Press("Poistu"));
    });
    EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(SettingsDialogTest, ResetAnsweredNoLeavesTheFile)
{
    WriteSettings({"[Muut]", "ProxyIP=vanha"});
    const std::string before = SettingsBytes();
    Answers.push_back([](ModalBox& box) { EXPECT_TRUE(box.Press("&Ei")); });
    Dialog->Button10Click(nullptr);
    EXPECT_EQ(SettingsBytes(), before);
    Open([](Form& d, ModalBox& box) {
        EXPECT_EQ(d.MuutEdit2->Text(), "vanha");
        EXPECT_TRUE(box.Press("Poistu"));
    });
}
