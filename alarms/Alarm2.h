// TAlarm2Form: the full-screen notice of a fired alarm, "Koko ruudun ilmoitus näytölle": black,
// borderless, over the whole primary screen and every other window, with "ESC sulkee ikkunan"
// at the bottom. Made without an owner for each firing; closing frees it and stops the alarm
// sound and the beeps.
#pragma once
#include "platform/forms/Form.h"

class TLabel;

class TAlarm2Form : public TForm {
public:
    explicit TAlarm2Form(TComponent* owner);

    TLabel* Label1 = nullptr;
    TLabel* l1 = nullptr;
    TLabel* l2 = nullptr;
    TLabel* l3 = nullptr;

    // What the firing fills in: the screen's bounds, the texts, the description as wide as the
    // screen allows, the hint line 20 pixels above the bottom, on top.
    void Fill(const AnsiString& channel, const AnsiString& time, const AnsiString& title,
              const AnsiString& description);
    // Shows the window with a taskbar button of its own, not modally.
    void ShowNotice();

    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormClose(TObject* Sender, TCloseAction& Action);
};
