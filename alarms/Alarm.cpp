#include "alarms/Alarm.h"
#include <QApplication>
#include <QWidget>
#include "alarms/AlarmSounds.h"
#include "alarms/NoticeWindow.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Timer.h"

namespace {

constexpr int kTextLeft = 32;
constexpr int kTextWidth = 305;
constexpr int kFlashMilliseconds = 300;

// The channel and the title lines keep their size and wrap within it.
TLabel* FixedNoticeLabel(TAlarmForm* form, const char* name, int top, int height)
{
    TLabel* label = AddNoticeLabel(form, name, kTextLeft, top);
    label->SetAutoSize(false);
    label->SetBounds(kTextLeft, top, kTextWidth, height);
    label->SetWordWrap(true);
    return label;
}

} // namespace

TAlarmForm::TAlarmForm(TComponent* owner) : TForm(owner)
{
    SetName("AlarmForm");
    SetCaption("Hälytys  "_a);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    SetClientWidth(342);
    SetClientHeight(264);
    KeyPreview = true;

    I1 = new TImage(this);
    I1->SetName("I1");
    I1->SetParent(this);
    I1->SetBounds(8, 10, 16, 16);
    I1->SetCenter(true);
    l1 = FixedNoticeLabel(this, "l1", 8, 13);
    l2 = FixedNoticeLabel(this, "l2", 26, 31);
    Desc = AddNoticeLabel(this, "Desc", kTextLeft, 56);
    Desc->Font()->SetStyle({});

    Timer = new TTimer(this);
    Timer->SetName("Timer");
    Timer->SetEnabled(false);
    Timer->SetInterval(kFlashMilliseconds);
    Timer->OnTimer = [this](TObject* sender) { TimerTimer(sender); };

    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TAlarmForm::Fill(const TBitmap& icon, const AnsiString& channel, const AnsiString& time,
                      const AnsiString& title, const AnsiString& description)
{
    I1->SetPicture(icon);
    l1->SetCaption(channel);
    l2->SetCaption(time + " " + title);
    SetCaption(channel + ": " + time + " " + title + "  ");
    SetPosition(poScreenCenter);
    Desc->SetCaption(description);
    SetFormStyle(fsStayOnTop);
}

void TAlarmForm::ShowNotice()
{
    SetShowInTaskbar(true);
    Show();
}

// The class library sizes the window in OnShow before it appears; a dialog-bordered window here
// is fixed in size once shown, so the size is set on the way to showing.
void TAlarmForm::SetVisible(bool visible)
{
    if (visible && !Visible())
        FitToDescription();
    TForm::SetVisible(visible);
}

void TAlarmForm::FormShow(TObject*)
{
    Timer->SetEnabled(true);
}

void TAlarmForm::FitToDescription()
{
    Desc->SetWordWrap(false);
    Desc->SetWidth(kTextWidth);
    Desc->SetWordWrap(true);
    SetHeight(Desc->Top() + Desc->Height() + 30);
}

void TAlarmForm::TimerTimer(TObject*)
{
    FlashCaption();
    // Windows that took the top place since are put back under this one.
    SetFormStyle(fsStayOnTop);
    // A running box keeps the foreground until it is answered, and so does a notice the user
    // brought forward over it: taking it here would only hand it straight back to the box.
    if (std::uniform_int_distribution<int>(0, 9)(FRandom) == 0 && !ModalBoxRunning())
        Activate();
}

// X11 has no inverted caption; the window asks for attention in every other tick instead, which
// window managers show as a blinking title or taskbar button.
void TAlarmForm::FlashCaption()
{
    FCaptionFlashed = !FCaptionFlashed;
    if (FCaptionFlashed && Widget())
        QApplication::alert(Widget(), kFlashMilliseconds / 2);
}

void TAlarmForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    CloseNoticeOnEscape(this, Key);
}

void TAlarmForm::FormClose(TObject*, TCloseAction& Action)
{
    StopAlarmSound();
    Timer->SetEnabled(false);
    StopAlarmBeeps();
    Action = caFree;
}
