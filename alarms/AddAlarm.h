// TAddAlarmForm: the modal dialog in which the user adds one alarm with chosen settings or edits
// an existing one. The command that opens it makes it, fills it, shows it modally and frees it.
// OK builds a complete alarm row and hands it to the main window's alarm list through the
// callbacks below; Escape and "&Poistu" change nothing. The alarm file is not written here.
#pragma once
#include "alarms/AlarmFile.h"
#include "platform/forms/Form.h"
#include <functional>

class TButton;
class TCheckBox;
class TDateTimePicker;
class TEdit;
class TFilenameEdit;
class TLabel;
class TListBox;
class TMemo;
class TMaskEdit;
class TUpDown;

class TAddAlarmForm : public TForm {
public:
    explicit TAddAlarmForm(TComponent* owner);

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TLabel* Label2 = nullptr;
    TMaskEdit* MaskEdit1 = nullptr;
    TLabel* Label3 = nullptr;
    TDateTimePicker* DateTimePicker1 = nullptr;
    TLabel* Label4 = nullptr;
    TEdit* Edit3 = nullptr;
    TLabel* Label5 = nullptr;
    TMemo* Memo1 = nullptr;
    TLabel* Label6 = nullptr;
    TListBox* ListBox1 = nullptr;
    TLabel* Label7 = nullptr;
    TFilenameEdit* WavFile = nullptr;
    TLabel* Label8 = nullptr;
    TFilenameEdit* ExeFile = nullptr;
    TCheckBox* ACB5 = nullptr;
    TEdit* HalytysEdit5 = nullptr;
    TUpDown* UpDown2 = nullptr;
    TLabel* Label9 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    // True while the dialog adds a new alarm, false while it edits one.
    bool Adding = true;

    // The add command's filling: the programme, the shown day "d.m.yyyy", a full-screen notice,
    // no beeps, no files.
    void FillForAdding(const AnsiString& channel, const AnsiString& date, const AnsiString& time,
                       const AnsiString& title, const AnsiString& description);
    // The edit command's filling: every field from the row and its action string; marks the
    // dialog as editing.
    void FillFromRow(const AlarmRow& row);
    const AlarmRow& EditedRow() const { return FEditedRow; }

    // Where OK puts its row; the main window wires them to its alarm list. When editing, the row
    // being edited (the list's selected row while the dialog is open) is deleted first; the new
    // row is then appended with image index 0.
    std::function<void()> OnDeleteEditedRow;
    std::function<void(const AlarmRow& row)> OnAppendRow;
    // After an add, so the channel view marks the new alarm's programme.
    TNotifyEvent OnAlarmAdded;

    void FormCreate(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

private:
    void CreateControls();
    // The row the fields make now; the time field must hold a readable time.
    AlarmRow RowFromFields() const;
    AnsiString ActionStringFromFields() const;

    AlarmRow FEditedRow;
    // Written when no notice type is selected: an edited row whose type no entry names keeps it.
    AnsiString FKeptNoticeType;
};
