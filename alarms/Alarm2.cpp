#include "alarms/Alarm2.h"
#include <QWidget>
#include "alarms/AlarmSounds.h"
#include "alarms/NoticeWindow.h"
#include "platform/forms/Label.h"
#include "platform/forms/Screen.h"

namespace {

constexpr int kTextLeft = 25;

TLabel* ColouredNoticeLabel(TAlarm2Form* form, const char* name, int top, int pixels, TColor color)
{
    TLabel* label = AddNoticeLabel(form, name, kTextLeft, top);
    label->Font()->SetName("Arial");
    label->Font()->SetHeight(-pixels);
    label->Font()->SetColor(color);
    return label;
}

} // namespace

TAlarm2Form::TAlarm2Form(TComponent* owner) : TForm(owner)
{
    SetName("Alarm2Form");
    SetBorderStyle(bsNone);
    SetColor(clBlack);
    SetFormStyle(fsStayOnTop);
    KeyPreview = true;

    Label1 = ColouredNoticeLabel(this, "Label1", 8, 11, clSilver);
    Label1->SetCaption("ESC sulkee ikkunan");
    l1 = ColouredNoticeLabel(this, "l1", 32, 32, clBlue);
    l2 = ColouredNoticeLabel(this, "l2", 72, 32, clBlue);
    l3 = ColouredNoticeLabel(this, "l3", 120, 32, clBlue);

    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TAlarm2Form::Fill(const AnsiString& channel, const AnsiString& time, const AnsiString& title,
                       const AnsiString& description)
{
    int width = Screen->Width();
    int height = Screen->Height();
    SetBounds(0, 0, width, height);
    l1->SetCaption(channel);
    l2->SetCaption(time + " " + title);
    l3->SetCaption(description);
    l3->SetWidth(width - 2 * l3->Left() - 5);
    Label1->SetTop(height - 20);
    SetFormStyle(fsStayOnTop);
}

// A maximised window stops at the desktop's panels; the notice is meant to cover everything, so
// it asks the window system for the whole screen.
void TAlarm2Form::ShowNotice()
{
    SetShowInTaskbar(true);
    if (Widget())
        Widget()->setWindowState(Widget()->windowState() | Qt::WindowFullScreen);
    Show();
}

void TAlarm2Form::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    CloseNoticeOnEscape(this, Key);
}

void TAlarm2Form::FormClose(TObject*, TCloseAction& Action)
{
    StopAlarmSound();
    StopAlarmBeeps();
    Action = caFree;
}
