// TPrintForm: lays out a printed document with the page printer, shows it in the printer's
// preview and prints it on request. Two documents: the shown day's listings of channels the user
// picks, and the alarm list. Made once at start-up and kept for the whole run; each preparation
// replaces the previous document, and a preparation that stops early keeps it.
#pragma once
#include "alarms/AlarmFile.h"
#include "platform/forms/Form.h"
#include <vector>

class TDualListDialog;
class TKitSpeedButton;
class TPagePrinter;
class TPanel;

class TPrintForm : public TForm {
public:
    explicit TPrintForm(TComponent* owner);

    TPanel* Panel1 = nullptr;
    TKitSpeedButton* SpeedButton1 = nullptr;
    TPagePrinter* PP = nullptr;
    TDualListDialog* DList = nullptr;

    // The day's listings: the user picks the channels from the enabled ones; each channel stored
    // for the day `currentDate` ("d.m.yyyy") gets a section of its programmes.
    void Button3Click(const AnsiString& currentDate);
    // The alarm list, rows in the order given (the main window sorts them by date and time
    // first), grouped under the TV day they belong to.
    void Button4Click(const std::vector<AlarmRow>& rows);
    // The print button.
    void Button2Click(TObject* Sender);
    // Escape closes the form, as it closes every dialog.
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

private:
    void CreateControls();
    void StartDocument(const AnsiString& title);
    void SetFont(int size, bool bold);
    void WriteChannel(const AnsiString& channel, const AnsiString& currentDate);
};

// The instance made at start-up.
extern TPrintForm* PrintForm;
