// The controls of the settings dialog's five pages, placed as the dialog is designed.
#include "dialogs/Asetukset.h"
#include "alarms/AlarmAction.h"
#include "kit/ComboEdits.h"
#include "kit/DualList.h"
#include "kit/CheckListBox.h"
#include "kit/KitCombos.h"
#include "kit/SpeedButton.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/HotKey.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/PlaceControl.h"
#include "platform/forms/UpDown.h"

namespace {

constexpr int kLeft = 8;
constexpr int kFieldWidth = 260;
constexpr int kListWidth = 236;
constexpr int kSmallButtonLeft = 248;
constexpr int kEditHeight = 21;

enum SmallGlyph { glyphUp, glyphDown, glyphAdd, glyphDelete };

// The small buttons beside the lists: arrows that move an entry, plus and minus for keywords,
// drawn on the see-through magenta that the bottom-left pixel gives the button.
TBitmap SmallButtonGlyph(int kind)
{
    TBitmap glyph(11, 11);
    TCanvas* canvas = glyph.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(Rect(0, 0, 11, 11));
    canvas->Pen()->SetColor(clBlack);
    switch (kind) {
    case glyphUp:
    case glyphDown:
        for (int row = 0; row < 5; ++row) {
            const int y = kind == glyphUp ? 3 + row : 7 - row;
            canvas->MoveTo(5 - row, y);
            canvas->LineTo(6 + row, y);
        }
        break;
    case glyphAdd:
        canvas->MoveTo(5, 1);
        canvas->LineTo(5, 10);
        [[fallthrough]];
    default:
        canvas->MoveTo(1, 5);
        canvas->LineTo(10, 5);
        break;
    }
    return glyph;
}

const AnsiString kSoundFilter = "MP3 (*.mp3)|*.mp3|Midi (*.mid)|*.mid|Wav-äänet (*.wav)|*.wav|Kaikki tiedostot|*.*"_a;
const char* const kProgramFilter = "Ohjelmat  (*.exe)|*.exe|Kaikki tiedostot (*.*)|*.*";

constexpr int kFileEditWidth = 132;
constexpr int kChannelsEditWidth = 265;

// Both file-name edits browse under one title; the sound's edit also takes dropped files, has a
// 20-pixel button and asks for an existing file.
void SetUpBrowsing(TFilenameEdit* edit, const AnsiString& filter, int filterIndex, const AnsiString& hint)
{
    edit->SetDialogTitle("Selaa tiedostoja");
    edit->SetFilter(filter);
    edit->SetFilterIndex(filterIndex);
    edit->SetHint(hint);
}

void SetUpSoundBrowsing(TFilenameEdit* edit)
{
    edit->SetButtonWidth(20);
    edit->SetDialogOptions({ofReadOnly, ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing});
    edit->SetAcceptFiles(true);
}

} // namespace

TTabSheet* TAsetuksetForm::AddSheet(const char* name, const AnsiString& caption)
{
    auto* sheet = new TTabSheet(this);
    sheet->SetName(name);
    sheet->SetCaption(caption);
    sheet->SetPageControl(PageControl1);
    return sheet;
}

TLabel* TAsetuksetForm::AddLabel(TWinControl* parent, const AnsiString& caption, int left, int top, bool bold)
{
    auto* label = new TLabel(this);
    label->SetParent(parent);
    label->SetLeft(left);
    label->SetTop(top);
    if (bold)
        label->Font()->SetStyle({fsBold});
    label->SetCaption(caption);
    return label;
}

TKitSpeedButton* TAsetuksetForm::AddSmallButton(TWinControl* parent, const char* name, int left, int top, int glyph)
{
    auto* button = PlaceControl(new TKitSpeedButton(this), parent, name, left, top, 21, 21);
    button->SetGlyph(SmallButtonGlyph(glyph));
    return button;
}

TButton* TAsetuksetForm::AddButton(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top)
{
    auto* button = PlaceControl(new TButton(this), parent, name, left, top, 75, 25);
    button->SetCaption(caption);
    return button;
}

TCheckBox* TAsetuksetForm::AddCheckBox(TWinControl* parent, const char* name, const AnsiString& caption, int left,
                                       int top)
{
    auto* box = PlaceControl(new TCheckBox(this), parent, name, left, top, kFieldWidth, 17);
    box->SetCaption(caption);
    return box;
}

void TAsetuksetForm::CreateControls()
{
    PageControl1 = PlaceControl(new TPageControl(this), this, "PageControl1", 8, 8, 285, 376);
    YleisetSheet = AddSheet("YleisetSheet", "Yleiset");
    HalytyksetSheet = AddSheet("HalytyksetSheet", "Hälytykset"_a);
    KanavatSheet = AddSheet("KanavatSheet", "Kanavat");
    VaritysSheet = AddSheet("VaritysSheet", "Väritys"_a);
    NakymatSheet = AddSheet("NakymatSheet", "Näkymät"_a);
    CreateYleisetPage();
    CreateHalytyksetPage();
    CreateKanavatPage();
    CreateVaritysPage();
    CreateNakymatPage();

    OkButton = AddButton(this, "OkButton", "&OK", 136, 392);
    OkButton->SetDefault(true);
    CancelButton = AddButton(this, "CancelButton", "&Poistu", 218, 392);
    CancelButton->SetCancel(true);

    DualList = new TDualListDialog(this);
    DualList->SetName("DualList");
    DualList->SetLabel1Caption("&Valitut");
    DualList->SetLabel2Caption("&Valittavat");
    DualList->SetCancelBtnCaption("Peruuta");
    DualList->SetSorted(false);
    DualList->SetShowHelp(false);
}

void TAsetuksetForm::CreateYleisetPage()
{
    TTabSheet* page = YleisetSheet;
    AddLabel(page, "Oletusnäkymä:"_a, kLeft, 12);
    MCBox1 = PlaceControl(new TComboBox(this), page, "MCBox1", kLeft, 28, kFieldWidth, kEditHeight);
    MCBox1->SetStyle(csDropDownList);
    AddLabel(page, "TV tänään pikanäppäin:"_a, kLeft, 58);
    MuutEdit1 = PlaceControl(new THotKey(this), page, "MuutEdit1", kLeft, 74, kFieldWidth, kEditHeight);
    AddLabel(page, "HTTP proxyn osoite:", kLeft, 104);
    MuutEdit2 = PlaceControl(new TEdit(this), page, "MuutEdit2", kLeft, 120, 190, kEditHeight);
    AddLabel(page, "Portti:", 206, 104);
    MuutEdit3 = PlaceControl(new TEdit(this), page, "MuutEdit3", 206, 120, 62, kEditHeight);
    MCB1 = AddCheckBox(page, "MCB1", "Poista yli 2 viikkoa vanhat ohjelmatiedostot", kLeft, 156);
    MCB2 = AddCheckBox(page, "MCB2", "Poista menneet ohjelmat listasta", kLeft, 180);
    MCB3 = AddCheckBox(page, "MCB3", "Käynnistä ohjelma pienennettynä"_a, kLeft, 204);
    MCB4 = AddCheckBox(page, "MCB4", "Pienennä ohjelma aina työkaluriville"_a, kLeft, 228);
}

void TAsetuksetForm::CreateHalytyksetPage()
{
    TTabSheet* page = HalytyksetSheet;
    AddLabel(page, "Hälytys "_a, kLeft, 12);
    HalytysEdit3 = PlaceControl(new TEdit(this), page, "HalytysEdit3", 58, 8, 24, kEditHeight);
    HalytysEdit3->SetMaxLength(2);
    UpDown1 = PlaceControl(new TUpDown(this), page, "UpDown1", 82, 8, 15, kEditHeight);
    UpDown1->SetAssociate(HalytysEdit3);
    UpDown1->SetMin(0);
    UpDown1->SetMax(59);
    AddLabel(page, "minuuttia ennen ohjelman alkua", 102, 12);

    AddLabel(page, "Uuden hälytyksen oletusasetukset"_a, kLeft, 40, true);
    HalytysTyypitList = PlaceControl(new TListBox(this), page, "HalytysTyypitList", kLeft, 56, kFieldWidth, 46);
    for (const AnsiString& type : AlarmNoticeTypes)
        HalytysTyypitList->Items()->Add(type);

    AddLabel(page, "Uuden hälytyksen lisäasetukset"_a, kLeft, 108, true);
    ACB1 = AddCheckBox(page, "ACB1", "PC Speaker -ääni"_a, kLeft, 126);
    ACB1->SetWidth(130);
    ACB1->SetHint("Piippaa speakkerin kautta. Sopii esim jos äänikortti on käytössä tai ole äänikorttia lainkaan."_a);
    HalytysEdit5 = PlaceControl(new TEdit(this), page, "HalytysEdit5", 144, 124, 24, kEditHeight);
    HalytysEdit5->SetMaxLength(2);
    UpDown2 = PlaceControl(new TUpDown(this), page, "UpDown2", 168, 124, 15, kEditHeight);
    UpDown2->SetAssociate(HalytysEdit5);
    UpDown2->SetMin(0);
    UpDown2->SetMax(9);
    UpDown2->SetPosition(5);
    AddLabel(page, "kertaa", 188, 128);

    AddLabel(page, "Soita äänitiedosto:"_a, kLeft, 152);
    HalytysEdit1 = PlaceControl(new TFilenameEdit(this), page, "HalytysEdit1", kLeft, 168, kFileEditWidth, kEditHeight);
    SetUpBrowsing(HalytysEdit1, kSoundFilter, 3, "Soittaa tietyn .wav äänen hälyttäessä."_a);
    SetUpSoundBrowsing(HalytysEdit1);
    AddLabel(page, "Käynnistä/avaa tiedosto:"_a, kLeft, 194);
    HalytysEdit2 = PlaceControl(new TFilenameEdit(this), page, "HalytysEdit2", kLeft, 210, kFileEditWidth, kEditHeight);
    SetUpBrowsing(HalytysEdit2, kProgramFilter, 1,
                  "Käynnistää tietyn ohjelman hälyttäessä tai avaa tiedoston sille valitulla ohjelmalla."_a);

    ACB2 = AddCheckBox(page, "ACB2", "Automaattisesti hälytyksiin lisättävät "_a, kLeft, 238);
    HalytysLst4 = PlaceControl(new TListBox(this), page, "HalytysLst4", kLeft, 258, kListWidth, 64);
    SpeedButton6 = AddSmallButton(page, "SpeedButton6", kSmallButtonLeft, 258, glyphAdd);
    SpeedButton5 = AddSmallButton(page, "SpeedButton5", kSmallButtonLeft, 282, glyphDelete);
    ACB3 = AddCheckBox(page, "ACB3", "Varmista lisäykset yksitellen"_a, kLeft, 328);
}

void TAsetuksetForm::CreateKanavatPage()
{
    TTabSheet* page = KanavatSheet;
    AddLabel(page, "Käytössä olevat kanavat:"_a, kLeft, 8);
    KanavatList = PlaceControl(new TKitCheckListBox(this), page, "KanavatList", kLeft, 24, kFieldWidth, 316);
    KanavatList->DragMode = dmAutomatic;
}

void TAsetuksetForm::CreateVaritysPage()
{
    TTabSheet* page = VaritysSheet;
    VCB1 = AddCheckBox(page, "VCB1", "Omat väritykset käytössä"_a, kLeft, 8);
    AddLabel(page, "Omat väritykset (tärkeysjärjestyksessä)"_a, kLeft, 32, true);
    VarityksetList = PlaceControl(new TListBox(this), page, "VarityksetList", kLeft, 48, kListWidth, 120);
    VarityksetList->SetStyle(lbOwnerDrawFixed);
    SpeedButton2 = AddSmallButton(page, "SpeedButton2", kSmallButtonLeft, 48, glyphUp);
    SpeedButton1 = AddSmallButton(page, "SpeedButton1", kSmallButtonLeft, 72, glyphDown);

    AddLabel(page, "Uuden lisääminen"_a, kLeft, 176, true);
    AddLabel(page, "Värityksen sanat:"_a, kLeft, 194);
    VEdit = PlaceControl(new TEdit(this), page, "VEdit", kLeft, 210, kFieldWidth, kEditHeight);
    AddLabel(page, "Väri:"_a, kLeft, 240);
    VColorComboBox = PlaceControl(new TColorComboBox(this), page, "VColorComboBox", 48, 236, 55, 22);
    VColorComboBox->SetDisplayNames(false);
    VColorComboBox->SetColorValue(clNavy);
    VariButton1 = AddButton(page, "VariButton1", "Lisää"_a, kLeft, 266);
    VariButton2 = AddButton(page, "VariButton2", "Poista", 90, 266);
    VariButton3 = AddButton(page, "VariButton3", "Tallenna", 172, 266);

    AddLabel(page, "Hälytysten väri"_a, kLeft, 308);
    HalytysVari = PlaceControl(new TColorComboBox(this), page, "HalytysVari", 100, 304, 79, 22);
    HalytysVari->SetDisplayNames(false);
    HalytysVari->SetColorValue(clFuchsia);
}

void TAsetuksetForm::CreateNakymatPage()
{
    TTabSheet* page = NakymatSheet;
    AddLabel(page, "Omat näkymät:"_a, kLeft, 8);
    NakymatList = PlaceControl(new TListBox(this), page, "NakymatList", kLeft, 24, kListWidth, 110);
    SpeedButton3 = AddSmallButton(page, "SpeedButton3", kSmallButtonLeft, 24, glyphUp);
    SpeedButton4 = AddSmallButton(page, "SpeedButton4", kSmallButtonLeft, 48, glyphDown);

    AddLabel(page, "Uuden lisääminen"_a, kLeft, 140, true);
    AddLabel(page, "Näkymän otsikko:"_a, kLeft, 156);
    NEdit = PlaceControl(new TEdit(this), page, "NEdit", kLeft, 172, kFieldWidth, kEditHeight);
    AddLabel(page, "Näkymän tyyppi:"_a, kLeft, 198);
    NComboBox = PlaceControl(new TComboBox(this), page, "NComboBox", kLeft, 214, kFieldWidth, kEditHeight);
    NComboBox->SetStyle(csDropDownList);
    for (const char* layout : {"Aikajono", "Taulukko", "Taulukko (laaja)", "Taulukko 2", "Taulukko 2 (laaja)"})
        NComboBox->Items()->Add(layout);
    AddLabel(page, "Näkymän kanavat:"_a, kLeft, 240);
    NComboEdit = PlaceControl(new TComboEdit(this), page, "NComboEdit", kLeft, 256, kChannelsEditWidth, kEditHeight);
    NComboEdit->SetGlyphKind(gkEllipsis);
    NComboEdit->SetButtonWidth(13);
    NComboEdit->SetDirectInput(false);
    NakButton1 = AddButton(page, "NakButton1", "Lisää"_a, kLeft, 284);
    NakButton2 = AddButton(page, "NakButton2", "Poista", 90, 284);
    NakButton3 = AddButton(page, "NakButton3", "Tallenna", 172, 284);
    NCB1 = AddCheckBox(page, "NCB1", "Taulukoissa ohjelmien otsikoissa kellonaika", kLeft, 318);
}
