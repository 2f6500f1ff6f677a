// TAlarmForm: the notice window of a fired alarm, "Normaali ilmoitus näytölle". Made without an
// owner for each firing, it stays on top, flashes its caption, now and then takes the foreground,
// and frees itself when closed (Escape, the system menu or the close box); closing stops the
// alarm sound and the beeps.
#pragma once
#include "platform/forms/Bitmap.h"
#include "platform/forms/Form.h"
#include <random>

class TImage;
class TLabel;
class TTimer;

class TAlarmForm : public TForm {
public:
    explicit TAlarmForm(TComponent* owner);

    TImage* I1 = nullptr;
    TLabel* l1 = nullptr;
    TLabel* l2 = nullptr;
    TLabel* Desc = nullptr;
    TTimer* Timer = nullptr;

    // What the firing fills in: icon, texts, caption "channel: time title  ", centred, on top.
    void Fill(const TBitmap& icon, const AnsiString& channel, const AnsiString& time,
              const AnsiString& title, const AnsiString& description);
    // Shows the window with a taskbar button of its own, not modally.
    void ShowNotice();

    // The caption's flash state, flipped by every tick.
    bool CaptionFlashed() const { return FCaptionFlashed; }

    void FormShow(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormClose(TObject* Sender, TCloseAction& Action);

    void SetVisible(bool visible) override;

private:
    // The height follows the description, wrapped at 305 pixels.
    void FitToDescription();
    void FlashCaption();
    bool FCaptionFlashed = false;
    std::minstd_rand FRandom{std::random_device{}()};
};
