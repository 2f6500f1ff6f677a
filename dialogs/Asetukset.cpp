#include "dialogs/Asetukset.h"
#include "alarms/NewAlarmDefaults.h"
#include "dialogs/SettingsEditing.h"
#include "kit/ComboEdits.h"
#include "kit/CheckListBox.h"
#include "kit/KitCombos.h"
#include "listings/SettingEntries.h"
#include "listings/Settings.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include "platform/forms/HotKey.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/UpDown.h"
#include "shell/GlobalHotKey.h"
#include <algorithm>

namespace {

const AnsiString kAlarmSection = "Hälytys"_a;
const AnsiString kOtherSection = "Muut";
const AnsiString kChannelSection = "Kanavat";
const AnsiString kColouringSection = "Väritys"_a;
const AnsiString kViewSection = "Näkymät"_a;

// A check box's key: ticked when its value read as a number is not 0.
bool ReadTick(const AnsiString& section, const AnsiString& key, int defaultValue)
{
    return IniReadInteger(section, key, defaultValue) != 0;
}

TColor ColourOrDefault(const AnsiString& name, TColor defaultColour)
{
    try {
        return StringToColor(name);
    } catch (const EConvertError&) {
        return defaultColour;
    }
}

void FillList(TStrings* items, const std::vector<AnsiString>& values)
{
    items->BeginUpdate();
    items->Clear();
    for (const AnsiString& value : values)
        items->Add(value);
    items->EndUpdate();
}

} // namespace

TAsetuksetForm::TAsetuksetForm(TComponent* owner) : TForm(owner)
{
    SetName("AsetuksetForm");
    SetCaption("Asetukset");
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    SetClientWidth(301);
    SetClientHeight(425);
    KeyPreview = true;
    // The fields' hints (a colouring's words, a view's title and channels) are there to be seen.
    SetShowHint(true);
    CreateControls();
    ConnectEvents();
    SetColouringButtons(false);
    SetViewButtons(false);
}

void TAsetuksetForm::ConnectEvents()
{
    auto on = [this](void (TAsetuksetForm::*handler)(TObject*)) {
        return [this, handler](TObject* sender) { (this->*handler)(sender); };
    };
    OnShow = on(&TAsetuksetForm::FormShow);
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OkButton->OnClick = on(&TAsetuksetForm::OkButtonClick);
    CancelButton->OnClick = on(&TAsetuksetForm::CancelButtonClick);

    VariButton1->OnClick = on(&TAsetuksetForm::VariButton1Click);
    VariButton2->OnClick = on(&TAsetuksetForm::VariButton2Click);
    VariButton3->OnClick = on(&TAsetuksetForm::VariButton3Click);
    VarityksetList->OnClick = on(&TAsetuksetForm::VarityksetListClick);
    VarityksetList->OnDrawItem = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        VarityksetListDrawItem(control, index, rect, state);
    };
    VEdit->OnChange = on(&TAsetuksetForm::VEditChange);
    SpeedButton1->OnClick = on(&TAsetuksetForm::SpeedButton1Click);
    SpeedButton2->OnClick = on(&TAsetuksetForm::SpeedButton2Click);

    NakButton1->OnClick = on(&TAsetuksetForm::NakButton1Click);
    NakButton2->OnClick = on(&TAsetuksetForm::NakButton2Click);
    NakButton3->OnClick = on(&TAsetuksetForm::NakButton3Click);
    NakymatList->OnClick = on(&TAsetuksetForm::NakymatListClick);
    NEdit->OnChange = on(&TAsetuksetForm::NakymatChange);
    NComboBox->OnChange = on(&TAsetuksetForm::NakymatChange);
    NComboEdit->OnChange = on(&TAsetuksetForm::NakymatChange);
    NComboEdit->OnButtonClick = on(&TAsetuksetForm::NComboEditClick);
    NComboEdit->OnKeyPress = [this](TObject* sender, char& key) { NComboEditKeyPress(sender, key); };
    SpeedButton3->OnClick = on(&TAsetuksetForm::SpeedButton3Click);
    SpeedButton4->OnClick = on(&TAsetuksetForm::SpeedButton4Click);

    KanavatList->OnDragOver = [this](TObject* sender, TObject* source, int x, int y, TDragState state,
                                     bool& accept) { KanavatListDragOver(sender, source, x, y, state, accept); };
    KanavatList->OnDragDrop = [this](TObject* sender, TObject* source, int x, int y) {
        KanavatListDragDrop(sender, source, x, y);
    };
    SpeedButton5->OnClick = on(&TAsetuksetForm::SpeedButton5Click);
    SpeedButton6->OnClick = on(&TAsetuksetForm::SpeedButton6Click);
}

void TAsetuksetForm::SetActivePage(const AnsiString& caption)
{
    for (int i = 0; i < PageControl1->PageCount(); ++i)
        if (PageControl1->Pages(i)->Caption() == caption)
            PageControl1->SetActivePageIndex(i);
}

void TAsetuksetForm::FormShow(TObject*)
{
    if (HotKey)
        HotKey->SetEnabled(false);
    NComboBox->SetItemIndex(0);
    LoadHalytykset();
    LoadYleiset();
    LoadKanavat();
    LoadVaritys();
    LoadNakymat();
}

void TAsetuksetForm::FormClose(TObject*, TCloseAction&)
{
    if (HotKey)
        HotKey->SetEnabled(true);
}

void TAsetuksetForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

void TAsetuksetForm::CancelButtonClick(TObject*)
{
    Close();
}

void TAsetuksetForm::LoadHalytykset()
{
    UpDown1->SetPosition(IniReadInteger(kAlarmSection, "MinuutitEnnenOhjelmaa", 5));
    const NewAlarmSettings& defaults = NewAlarmDefaults();
    FStoredNoticeType = IniReadString(kAlarmSection, "Tyyppi", defaults.NoticeType);
    HalytysTyypitList->SetItemIndex(HalytysTyypitList->Items()->IndexOf(FStoredNoticeType));
    ACB1->SetChecked(ReadTick(kAlarmSection, "PCSpeakerKäytössä"_a, defaults.Beeps ? 1 : 0));
    UpDown2->SetPosition(IniReadInteger(kAlarmSection, "PCSpeakerTimes", defaults.BeepCount));
    ShowFileName(HalytysEdit1, IniReadString(kAlarmSection, "Ääni"_a, defaults.SoundFile));
    ShowFileName(HalytysEdit2, IniReadString(kAlarmSection, "Ohjelma", defaults.Program));
    ACB2->SetChecked(ReadTick(kAlarmSection, "LisääAutomaattisesti"_a, 0));
    FillList(HalytysLst4->Items(), SemicolonList(IniReadString(kAlarmSection, "AutomaattisestiLisättävät"_a, "")));
    ACB3->SetChecked(ReadTick(kAlarmSection, "LisääAutomaattisestiVarmista"_a, 1));
}

void TAsetuksetForm::LoadYleiset()
{
    MuutEdit1->SetHotKey(static_cast<TShortCut>(IniReadInteger(kOtherSection, "TVTänäänPikanäppäin"_a, 123)));
    MuutEdit2->SetText(IniReadString(kOtherSection, "ProxyIP", ""));
    MuutEdit3->SetText(IniReadString(kOtherSection, "ProxyPortti", "80"));
    MCB1->SetChecked(ReadTick(kOtherSection, "PoistaVanhatTiedostot", 0));
    MCB2->SetChecked(ReadTick(kOtherSection, "PoistaMenneetOhjelmat", 0));
    MCB3->SetChecked(ReadTick(kOtherSection, "KäynnistäPienennettynä"_a, 0));
    MCB4->SetChecked(ReadTick(kOtherSection, "SystrayPienennys", 0));
}

void TAsetuksetForm::LoadKanavat()
{
    const std::vector<AnsiString> enabled =
        SemicolonList(IniReadString(kChannelSection, "Käytössä"_a, AllChannelsSetting));
    FillList(KanavatList->Items(), SemicolonList(IniReadString(kChannelSection, "Kanavat", AllChannelsSetting)));
    for (int i = 0; i < KanavatList->Count(); ++i) {
        const AnsiString channel = KanavatList->Items()->Get(i);
        KanavatList->SetChecked(i, std::find(enabled.begin(), enabled.end(), channel) != enabled.end());
    }
}

void TAsetuksetForm::LoadVaritys()
{
    VCB1->SetChecked(ReadTick(kColouringSection, "Käytössä"_a, 0));
    FillList(VarityksetList->Items(), ReadIndexedSettings(kColouringSection, "OmiaVärityksiä"_a, "OmaVäritys"_a));
    HalytysVari->SetColorValue(ColourOrDefault(IniReadString(kColouringSection, "HälytystenVäri"_a, "clred"), clRed));
}

void TAsetuksetForm::LoadNakymat()
{
    const std::vector<AnsiString> views = ReadIndexedSettings(kViewSection, "OmiaNäkymiä"_a, "OmaNäkymä"_a);
    FillList(NakymatList->Items(), views);
    TStrings* defaults = MCBox1->Items();
    defaults->BeginUpdate();
    defaults->Clear();
    defaults->Add("Normaali");
    for (const AnsiString& view : views)
        defaults->Add(ViewEntryCaption(view));
    defaults->EndUpdate();
    MCBox1->SetItemIndex(defaults->IndexOf(IniReadString(kOtherSection, "OletusNäkymä"_a, "")));
    NCB1->SetChecked(ReadTick(kViewSection, "KloAika", 0));
}

void TAsetuksetForm::OkButtonClick(TObject*)
{
    WriteSettings();
    if (HotKey)
        HotKey->SetKey(MuutEdit1->HotKey());
    if (Modal())
        SetModalResult(mrOk);
    else
        Close();
    if (OnSaved)
        OnSaved(this);
}

// Numbers are written as the up-downs hold them: the alarm clock needs a lead time of 0 to 59 and
// new alarms store the beep count as one digit, so an empty or out-of-range entry is written as
// the nearest value in range. The file is replaced once with all of them: quick, and a failure
// leaves the old settings whole rather than half new.
void TAsetuksetForm::WriteSettings()
{
    TIniFile ini(SettingsFilePath());
    ini.BeginUpdate();
    const int noticeType = HalytysTyypitList->ItemIndex();
    ini.WriteString(kAlarmSection, "Tyyppi",
                    noticeType >= 0 ? HalytysTyypitList->Items()->Get(noticeType) : FStoredNoticeType);
    ini.WriteString(kAlarmSection, "Ääni"_a, HalytysEdit1->FileName());
    ini.WriteString(kAlarmSection, "Ohjelma", HalytysEdit2->FileName());
    ini.WriteString(kAlarmSection, "MinuutitEnnenOhjelmaa", IntToStr(UpDown1->Position()));
    ini.WriteBool(kAlarmSection, "PCSpeakerKäytössä"_a, ACB1->Checked());
    ini.WriteString(kAlarmSection, "PCSpeakerTimes", IntToStr(UpDown2->Position()));
    ini.WriteString(kAlarmSection, "AutomaattisestiLisättävät"_a, SemicolonJoined(*HalytysLst4->Items()));
    ini.WriteBool(kAlarmSection, "LisääAutomaattisesti"_a, ACB2->Checked());
    ini.WriteBool(kAlarmSection, "LisääAutomaattisestiVarmista"_a, ACB3->Checked());

    ini.WriteBool(kOtherSection, "PoistaVanhatTiedostot", MCB1->Checked());
    ini.WriteBool(kOtherSection, "PoistaMenneetOhjelmat", MCB2->Checked());
    ini.WriteBool(kOtherSection, "KäynnistäPienennettynä"_a, MCB3->Checked());
    ini.WriteBool(kOtherSection, "SystrayPienennys", MCB4->Checked());
    ini.WriteString(kOtherSection, "TVTänäänPikanäppäin"_a, IntToStr(MuutEdit1->HotKey()));
    ini.WriteString(kOtherSection, "ProxyIP", MuutEdit2->Text());
    ini.WriteString(kOtherSection, "ProxyPortti", MuutEdit3->Text());
    ini.WriteString(kOtherSection, "OletusNäkymä"_a, MCBox1->ItemIndex() >= 0 ? MCBox1->Text() : AnsiString());

    TStringList ticked;
    for (int i = 0; i < KanavatList->Count(); ++i)
        if (KanavatList->Checked(i))
            ticked.Add(KanavatList->Items()->Get(i));
    ini.WriteString(kChannelSection, "Käytössä"_a, SemicolonJoined(ticked));
    ini.WriteString(kChannelSection, "Kanavat", SemicolonJoined(*KanavatList->Items()));

    ini.WriteBool(kColouringSection, "Käytössä"_a, VCB1->Checked());
    ini.WriteString(kColouringSection, "HälytystenVäri"_a, ColorToString(HalytysVari->ColorValue()));
    WriteIndexedSettings(ini, kColouringSection, "OmiaVärityksiä"_a, "OmaVäritys"_a, *VarityksetList->Items());

    WriteIndexedSettings(ini, kViewSection, "OmiaNäkymiä"_a, "OmaNäkymä"_a, *NakymatList->Items());
    ini.WriteBool(kViewSection, "KloAika", NCB1->Checked());
    ini.UpdateFile();
}

void TAsetuksetForm::Button10Click(TObject*)
{
    if (MessageDlg("Huom! kaikki nykyiset asetukset menetetään\r\nhaluatko varmasti jatkaa?"_a, mtConfirmation,
                   {mbYes, mbNo}) == mrYes &&
        FileExists(SettingsFilePath()))
        DeleteFile(SettingsFilePath());
    TCloseAction action = caHide;
    FormClose(this, action);
}
