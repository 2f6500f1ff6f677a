#include "alarms/AddAlarm.h"
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include "alarms/AlarmAction.h"
#include "kit/ComboEdits.h"
#include "listings/Calendar.h"
#include "platform/core/Clock.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PlaceControl.h"
#include "platform/forms/UpDown.h"

namespace {

constexpr int kLeft = 8;
constexpr int kRight = 208;
constexpr int kFullWidth = 390;
constexpr int kEditHeight = 21;
// The up-down's range: the action string carries the count as one digit.
constexpr int kMostBeeps = 9;

} // namespace

TAddAlarmForm::TAddAlarmForm(TComponent* owner) : TForm(owner)
{
    SetName("AddAlarmForm");
    SetCaption("Hälytys"_a);
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    SetClientWidth(406);
    SetClientHeight(351);
    KeyPreview = true;
    FKeptNoticeType = AlarmNoticeTypes[niFullScreen];
    CreateControls();

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
    // The lower bound belongs to the dialog's creation, before the callers fill in the date.
    AfterConstruction();
}

void TAddAlarmForm::CreateControls()
{
    Label1 = AddLabel(this, "Label1", "Kanava", kLeft, 8);
    Edit1 = PlaceControl(new TEdit(this), this, "Edit1", kLeft, 22, 190, kEditHeight);
    Label2 = AddLabel(this, "Label2", "Aika", kRight, 8);
    MaskEdit1 = PlaceControl(new TMaskEdit(this), this, "MaskEdit1", kRight, 22, 56, kEditHeight);
    MaskEdit1->SetEditMask("!90:00;1;_");
    Label3 = AddLabel(this, "Label3", "Päivämäärä"_a, 272, 8);
    DateTimePicker1 = PlaceControl(new TDateTimePicker(this), this, "DateTimePicker1", 272, 22, 126, kEditHeight);

    Label4 = AddLabel(this, "Label4", "Ohjelma", kLeft, 48);
    Edit3 = PlaceControl(new TEdit(this), this, "Edit3", kLeft, 62, kFullWidth, kEditHeight);
    Label5 = AddLabel(this, "Label5", "Ohjelmatiedot", kLeft, 88);
    Memo1 = PlaceControl(new TMemo(this), this, "Memo1", kLeft, 102, kFullWidth, 50);

    Label6 = AddLabel(this, "Label6", "Hälytyksen tyyppi"_a, kLeft, 157);
    ListBox1 = PlaceControl(new TListBox(this), this, "ListBox1", kLeft, 171, 190, 46);
    for (const AnsiString& type : AlarmNoticeTypes)
        ListBox1->Items()->Add(type);
    ACB5 = PlaceControl(new TCheckBox(this), this, "ACB5", kRight, 171, 150, 17);
    ACB5->SetCaption("PC Speaker -ääni"_a);
    HalytysEdit5 = PlaceControl(new TEdit(this), this, "HalytysEdit5", kRight, 194, 28, kEditHeight);
    HalytysEdit5->SetMaxLength(2);
    HalytysEdit5->SetText("0");
    if (auto* line = qobject_cast<QLineEdit*>(HalytysEdit5->Widget()))
        line->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), line));
    UpDown2 = PlaceControl(new TUpDown(this), this, "UpDown2", kRight + 28, 194, 15, kEditHeight);
    UpDown2->SetMin(0);
    UpDown2->SetMax(kMostBeeps);
    UpDown2->SetAssociate(HalytysEdit5);
    Label9 = AddLabel(this, "Label9", "kertaa", kRight + 49, 198);

    Label7 = AddLabel(this, "Label7", "Soita äänitiedosto"_a, kLeft, 222);
    WavFile = PlaceControl(new TFilenameEdit(this), this, "WavFile", kLeft, 236, kFullWidth, kEditHeight);
    WavFile->SetFilter("Wav-äänet (*.wav)|*.wav|Midi (*.mid)|*.mid|MP3 (*.mp3)|*.mp3|Kaikki tiedostot|*.*"_a);
    WavFile->SetDialogOptions({ofReadOnly, ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing});
    WavFile->SetButtonWidth(20);
    WavFile->SetDirectInput(false);
    WavFile->SetAcceptFiles(true);
    Label8 = AddLabel(this, "Label8", "Käynnistä tai avaa tiedosto"_a, kLeft, 262);
    ExeFile = PlaceControl(new TFilenameEdit(this), this, "ExeFile", kLeft, 276, kFullWidth, kEditHeight);
    ExeFile->SetFilter("Ohjelmat  (*.exe)|*.exe|Kaikki tiedostot (*.*)|*.*");
    for (TFilenameEdit* edit : {WavFile, ExeFile})
        edit->SetDialogTitle("Selaa tiedostoja");

    Button1 = PlaceControl(new TButton(this), this, "Button1", 242, 316, 75, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button2 = PlaceControl(new TButton(this), this, "Button2", 323, 316, 75, 25);
    Button2->SetCaption("&Poistu");
}

void TAddAlarmForm::FormCreate(TObject*)
{
    DateTimePicker1->SetMinDate(ClockNow() - 1.0);
}

void TAddAlarmForm::FillForAdding(const AnsiString& channel, const AnsiString& date, const AnsiString& time,
                                  const AnsiString& title, const AnsiString& description)
{
    Adding = true;
    Edit1->SetText(channel);
    TDateTime day = 0;
    if (TryStrToDate(date, day))
        DateTimePicker1->SetDate(day);
    MaskEdit1->SetText(time);
    Edit3->SetText(title);
    Memo1->SetText(description);
    ListBox1->SetItemIndex(niFullScreen);
    FKeptNoticeType = AlarmNoticeTypes[niFullScreen];
    ACB5->SetChecked(false);
    HalytysEdit5->SetText("0");
    WavFile->SetFileName("");
    ExeFile->SetFileName("");
}

void TAddAlarmForm::FillFromRow(const AlarmRow& row)
{
    Adding = false;
    FEditedRow = row;
    Edit1->SetText(row.SubItems[afChannel]);
    MaskEdit1->SetText(row.SubItems[afTime]);
    TDateTime day = 0;
    if (TryStrToDate(row.Caption.substr(0, row.Caption.find(' ')), day))
        DateTimePicker1->SetDate(day);
    Edit3->SetText(row.SubItems[afTitle]);
    Memo1->SetText(row.SubItems[afDescription]);

    AlarmActionFields fields = ReadAlarmActionString(row.SubItems[afActions]);
    ACB5->SetChecked(fields.Actions.Beeps);
    if (fields.Actions.Beeps)
        HalytysEdit5->SetText(fields.Actions.BeepCount);
    ListBox1->SetItemIndex(fields.NoticeIndex);
    FKeptNoticeType = fields.Actions.NoticeType;
    ShowFileName(WavFile, fields.Actions.SoundFile);
    ShowFileName(ExeFile, fields.Actions.Program);
}

void TAddAlarmForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

void TAddAlarmForm::Button2Click(TObject*)
{
    Close();
}

void TAddAlarmForm::Button1Click(TObject*)
{
    TDateTime time = 0;
    if (!MaskEdit1->Complete() || !TryStrToTime(MaskEdit1->Text(), time)) {
        MessageDlg("Kellonaika on väärässä muodossa"_a, mtInformation, {mbOK});
        return;
    }
    // Built before the list is touched, so an edited row is never left half replaced.
    AlarmRow row = RowFromFields();
    if (!Adding && OnDeleteEditedRow)
        OnDeleteEditedRow();
    if (OnAppendRow)
        OnAppendRow(row);
    if (Adding && OnAlarmAdded)
        OnAlarmAdded(this);
    if (Modal())
        SetModalResult(mrOk);
    else
        Close();
}

AlarmRow TAddAlarmForm::RowFromFields() const
{
    TDateTime day = DateTimePicker1->Date();
    AlarmRow row;
    row.Caption = FormatDateTime("d.m.yyyy", day) + " (" + DayAbbrev(day) + ")";
    row.SubItems[afChannel] = Edit1->Text();
    row.SubItems[afTime] = MaskEdit1->Text();
    row.SubItems[afTitle] = Edit3->Text();
    row.SubItems[afCountdown] = "";
    row.SubItems[afDescription] = Memo1->Lines()->Count() > 0 ? Memo1->Lines()->Strings(0) : AnsiString();
    row.SubItems[afActions] = ActionStringFromFields();
    return row;
}

AnsiString TAddAlarmForm::ActionStringFromFields() const
{
    AlarmActions actions;
    int type = ListBox1->ItemIndex();
    actions.NoticeType = type >= 0 ? AlarmNoticeTypes[type] : FKeptNoticeType;
    actions.Beeps = ACB5->Checked();
    actions.BeepCount = IntToStr(UpDown2->Position());
    actions.SoundFile = WavFile->FileName();
    actions.Program = ExeFile->FileName();
    return AlarmActionString(actions);
}
