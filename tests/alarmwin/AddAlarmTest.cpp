#include "alarms/AddAlarm.h"
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "forms/ShownTexts.h"
#include "kit/ComboEdits.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/Memo.h"
#include "platform/forms/UpDown.h"
#include <vector>

namespace {

const AnsiString kFullScreen = "#NRM #SHD:Koko ruudun ilmoitus n\xE4yt\xF6lle ";

class AddAlarmTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        // Monday 7.12.2026 at 19:40.
        ClockSet(EncodeDate(2026, 12, 7) + EncodeTime(19, 40, 0, 0));
        Form = std::make_unique<TAddAlarmForm>(nullptr);
        Form->OnDeleteEditedRow = [this] { ++Deleted; };
        Form->OnAppendRow = [this](const AlarmRow& row) { Appended.push_back(row); };
        Form->OnAlarmAdded = [this](TObject*) { ++Redrawn; };
    }
    void TearDown() override
    {
        Form.reset();
        ClockUseSystem();
        FormsTest::TearDown();
    }

    void FillUutiset()
    {
        Form->FillForAdding("TV1", "7.12.2026", "20:00", "Uutiset", "P\xE4iv\xE4n uutiset\r\ntoinen rivi");
    }

    // Shows the dialog modally and presses its buttons in turn.
    TModalResult ShowAndPress(std::initializer_list<const char*> captions)
    {
        Answers.push_back([captions](ModalBox& box) {
            for (const char* caption : captions)
                EXPECT_TRUE(box.Press(caption)) << caption;
        });
        return Form->ShowModal();
    }

    static AlarmRow EditedRow(const AnsiString& actions)
    {
        AlarmRow row;
        row.Caption = "8.12.2026 (TI)";
        row.SubItems = {"Yle Teema", " 9:30", "Dokumentti", "13 h. 50 min. ", "Kuvaus", actions};
        return row;
    }

    std::unique_ptr<TAddAlarmForm> Form;
    std::vector<AlarmRow> Appended;
    int Deleted = 0;
    int Redrawn = 0;
};

} // namespace

TEST_F(AddAlarmTest, ANewDialogOffersTheThreeNoticeKindsAndEmptyFields)
{
    ASSERT_EQ(Form->ListBox1->Items()->Count(), 3);
    EXPECT_EQ(Form->ListBox1->Items()->Strings(0), "Normaali ilmoitus n\xE4yt\xF6lle");
    EXPECT_EQ(Form->ListBox1->Items()->Strings(1), "Koko ruudun ilmoitus n\xE4yt\xF6lle");
    EXPECT_EQ(Form->ListBox1->Items()->Strings(2), "Vain lis\xE4" "asetukset");
    EXPECT_EQ(Form->ACB5->Caption(), "PC Speaker -\xE4\xE4ni");
    EXPECT_EQ(Form->MaskEdit1->Text(), "  :  ");
    EXPECT_EQ(Form->MaskEdit1->EditText(), "__:__");
    EXPECT_EQ(Form->HalytysEdit5->Text(), "0");
}

// Every label and button of the dialog, as designed.
TEST_F(AddAlarmTest, EveryLabelAndButtonIsShown)
{
    const std::set<AnsiString> shown = ShownTexts(*Form);
    EXPECT_EQ(Form->Caption(), cp1252::FromUtf8("Hälytys"));
    for (const char* text : {"Kanava", "Aika", "Päivämäärä", "Ohjelma", "Ohjelmatiedot", "Hälytyksen tyyppi",
                             "Soita äänitiedosto", "Käynnistä tai avaa tiedosto", "kertaa", "OK", "&Poistu"})
        EXPECT_TRUE(shown.count(cp1252::FromUtf8(text))) << text;
}

TEST_F(AddAlarmTest, DatePickerOffersNothingBeforeYesterday)
{
    EXPECT_EQ(Form->DateTimePicker1->MinDate(), EncodeDate(2026, 12, 6));
    Form->DateTimePicker1->SetDate(EncodeDate(2026, 12, 1));
    EXPECT_EQ(Form->DateTimePicker1->Date(), EncodeDate(2026, 12, 6));
    Form->DateTimePicker1->SetDate(EncodeDate(2026, 12, 6));
    EXPECT_EQ(Form->DateTimePicker1->Date(), EncodeDate(2026, 12, 6));
    Form->FillForAdding("TV1", "24.12.2026", "20:00", "Joulurauha", "");
    EXPECT_EQ(Form->DateTimePicker1->Date(), EncodeDate(2026, 12, 24));
}

TEST_F(AddAlarmTest, OkAddsTheRowWithAFullScreenNotice)
{
    FillUutiset();
    EXPECT_EQ(ShowAndPress({"OK"}), mrOk);
    ASSERT_EQ(Appended.size(), 1u);
    const AlarmRow& row = Appended[0];
    EXPECT_EQ(row.Caption, "7.12.2026 (MA)");
    EXPECT_EQ(row.SubItems[afChannel], "TV1");
    EXPECT_EQ(row.SubItems[afTime], "20:00");
    EXPECT_EQ(row.SubItems[afTitle], "Uutiset");
    EXPECT_EQ(row.SubItems[afCountdown], "");
    EXPECT_EQ(row.SubItems[afDescription], "P\xE4iv\xE4n uutiset");
    EXPECT_EQ(row.SubItems[afActions], kFullScreen);
    EXPECT_EQ(Deleted, 0);
    EXPECT_EQ(Redrawn, 1);
}

TEST_F(AddAlarmTest, ChosenSettingsMakeTheActionString)
{
    FillUutiset();
    Form->ListBox1->SetItemIndex(0);
    Form->ACB5->SetChecked(true);
    Form->HalytysEdit5->SetText("4");
    Form->WavFile->SetText("/home/u/h\xE4lytys.wav");
    Form->ExeFile->SetText("/usr/bin/xmessage");
    ShowAndPress({"OK"});
    ASSERT_EQ(Appended.size(), 1u);
    EXPECT_EQ(Appended[0].SubItems[afActions], "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS4 "
                                               "#WV:\"/home/u/h\xE4lytys.wav\" #EX:\"/usr/bin/xmessage\" ");
}

TEST_F(AddAlarmTest, FileEditsBrowseForTheSoundAndTheProgramAndTheSoundTakesADrop)
{
    TFilenameEdit* sound = Form->WavFile;
    TFilenameEdit* program = Form->ExeFile;
    EXPECT_EQ(sound->DialogTitle(), "Selaa tiedostoja");
    EXPECT_EQ(program->DialogTitle(), "Selaa tiedostoja");
    EXPECT_EQ(sound->Filter(), "Wav-\xE4\xE4net (*.wav)|*.wav|Midi (*.mid)|*.mid|MP3 (*.mp3)|*.mp3|Kaikki tiedostot|*.*");
    EXPECT_EQ(program->Filter(), "Ohjelmat  (*.exe)|*.exe|Kaikki tiedostot (*.*)|*.*");
    EXPECT_EQ(sound->DialogOptions(),
              (TOpenOptions{ofReadOnly, ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing}));
    EXPECT_EQ(sound->ButtonWidth(), 20);
    // The sound's name comes from the dialog or a drop only; the program's may be typed.
    EXPECT_FALSE(sound->DirectInput());
    EXPECT_TRUE(sound->AcceptFiles());
    EXPECT_TRUE(program->DirectInput());

    FillUutiset();
    sound->DropFiles({"/home/u/oma h\xE4lytys.wav", "/home/u/toinen.wav"});
    program->SetText("\"/usr/local/bin/my player\"");
    ShowAndPress({"OK"});
    ASSERT_EQ(Appended.size(), 1u);
    EXPECT_EQ(Appended[0].SubItems[afActions],
              kFullScreen + "#WV:\"/home/u/oma h\xE4lytys.wav\" #EX:\"/usr/local/bin/my player\" ");
}

TEST_F(AddAlarmTest, BeepCountIsOneDigitWithinTheUpDownRange)
{
    FillUutiset();
    Form->ListBox1->SetItemIndex(2);
    Form->ACB5->SetChecked(true);
    Form->WavFile->SetText("abc");
    for (const char* typed : {"12", "", "7"}) {
        Form->HalytysEdit5->SetText(typed);
        Form->Button1->Click();
    }
    ASSERT_EQ(Appended.size(), 3u);
    EXPECT_EQ(Appended[0].SubItems[afActions], "#NRM #SHD:Vain lis\xE4" "asetukset #PCS9 ");
    EXPECT_EQ(Appended[1].SubItems[afActions], "#NRM #SHD:Vain lis\xE4" "asetukset #PCS0 ");
    EXPECT_EQ(Appended[2].SubItems[afActions], "#NRM #SHD:Vain lis\xE4" "asetukset #PCS7 ");

    Form->HalytysEdit5->SetText("9");
    Form->UpDown2->Step(1);
    EXPECT_EQ(Form->HalytysEdit5->Text(), "9");
    Form->HalytysEdit5->SetText("0");
    Form->UpDown2->Step(-1);
    EXPECT_EQ(Form->HalytysEdit5->Text(), "0");
    Form->UpDown2->Step(1);
    EXPECT_EQ(Form->HalytysEdit5->Text(), "1");
}

TEST_F(AddAlarmTest, OneDigitHourKeepsItsBlankAndThePickedDateItsOwnLetters)
{
    FillUutiset();
    Form->MaskEdit1->SetFocus();
    Form->MaskEdit1->SetText("");
    for (QString key : {"1", ":", "3", "0"})
        PressKey(Form->MaskEdit1->Widget(), 0, Qt::NoModifier, key);
    EXPECT_EQ(Form->MaskEdit1->EditText(), "_1:30");
    // Keys that would edit the text behind the mask's back change nothing.
    PressKey(Form->MaskEdit1->Widget(), Qt::Key_A, Qt::ControlModifier);
    PressKey(Form->MaskEdit1->Widget(), Qt::Key_Z, Qt::ControlModifier);
    PressKey(Form->MaskEdit1->Widget(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Form->MaskEdit1->EditText(), "_1:30");
    PressKey(Form->MaskEdit1->Widget(), Qt::Key_Backspace);
    EXPECT_EQ(Form->MaskEdit1->EditText(), "__:__");
    for (QString key : {"1", ":", "3", "0"})
        PressKey(Form->MaskEdit1->Widget(), 0, Qt::NoModifier, key);
    Form->DateTimePicker1->SetDate(EncodeDate(2026, 12, 8));
    ShowAndPress({"OK"});
    ASSERT_EQ(Appended.size(), 1u);
    EXPECT_EQ(Appended[0].SubItems[afTime], " 1:30");
    // After midnight, yet the picked Tuesday keeps "TI".
    EXPECT_EQ(Appended[0].Caption, "8.12.2026 (TI)");
}

TEST_F(AddAlarmTest, UnreadableTimeIsRefusedAndTheDialogStaysOpen)
{
    FillUutiset();
    for (const char* time : {"", "12:3", "24:00", "19:60"}) {
        Form->MaskEdit1->SetText(time);
        Answers.push_back([](ModalBox& box) {
            box.Press("OK");
            EXPECT_FALSE(box.Answered());
            box.Press("&Poistu");
        });
        Answers.push_back([](ModalBox& box) {
            EXPECT_EQ(box.Kind(), TModalKind::MessageBox);
            EXPECT_EQ(box.Caption(), "Info");
            EXPECT_EQ(box.Text(), "Kellonaika on v\xE4\xE4r\xE4ss\xE4 muodossa");
            box.Press("OK");
        });
        EXPECT_EQ(Form->ShowModal(), mrCancel) << time;
    }
    EXPECT_TRUE(Appended.empty());
    EXPECT_EQ(Redrawn, 0);
}

TEST_F(AddAlarmTest, EditFillsEveryFieldFromTheRow)
{
    Form->FillFromRow(EditedRow("#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS3 #WV:\"/s/a b.wav\" #EX:\"/p/run\" "));
    EXPECT_FALSE(Form->Adding);
    EXPECT_EQ(Form->Edit1->Text(), "Yle Teema");
    EXPECT_EQ(Form->MaskEdit1->Text(), " 9:30");
    EXPECT_EQ(Form->DateTimePicker1->Date(), EncodeDate(2026, 12, 8));
    EXPECT_EQ(Form->Edit3->Text(), "Dokumentti");
    EXPECT_EQ(Form->Memo1->Text(), "Kuvaus");
    EXPECT_EQ(Form->ListBox1->ItemIndex(), 0);
    EXPECT_TRUE(Form->ACB5->Checked());
    EXPECT_EQ(Form->HalytysEdit5->Text(), "3");
    EXPECT_EQ(Form->WavFile->FileName(), "/s/a b.wav");
    EXPECT_EQ(Form->ExeFile->FileName(), "/p/run");

    Form->FillFromRow(EditedRow("#NRM #SHD:Koko ruudun ilmoitus n\xE4yt\xF6lle "));
    EXPECT_EQ(Form->ListBox1->ItemIndex(), 1);
    EXPECT_FALSE(Form->ACB5->Checked());
    EXPECT_EQ(Form->WavFile->Text(), "");
    EXPECT_EQ(Form->ExeFile->Text(), "");
}

TEST_F(AddAlarmTest, EditWithoutChangesReplacesTheRowByAnEqualOne)
{
    for (const char* actions : {"#NRM #SHD:Vain lis\xE4" "asetukset #PCS3 #WV:\"/s/a.wav\" #EX:\"/p/run\" ",
                                // The default settings' type "0" names no entry; it is kept.
                                "#NRM #SHD:0 #PCS3 ",
                                // Names with blanks, and ones the file-name check refuses, come back whole.
                                "#NRM #SHD:0 #WV:\"/s/oma [live] \xE4\xE4ni.wav\" #EX:\"/p/my player\" "}) {
        AlarmRow row = EditedRow(actions);
        Form->FillFromRow(row);
        Appended.clear();
        EXPECT_EQ(ShowAndPress({"OK"}), mrOk);
        ASSERT_EQ(Appended.size(), 1u);
        row.SubItems[afCountdown] = "";
        EXPECT_EQ(Appended[0].RecordText(), row.RecordText());
    }
    EXPECT_EQ(Deleted, 3);
    EXPECT_EQ(Redrawn, 0);
}

TEST_F(AddAlarmTest, EscapeAndPoistuChangeNothing)
{
    Form->FillFromRow(EditedRow("#NRM #SHD:0 "));
    Form->Edit3->SetText("Toinen");
    Answers.push_back([](ModalBox& box) { PressKey(box.Form()->Widget(), Qt::Key_Escape); });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(ShowAndPress({"&Poistu"}), mrCancel);
    EXPECT_TRUE(Appended.empty());
    EXPECT_EQ(Deleted, 0);
}
