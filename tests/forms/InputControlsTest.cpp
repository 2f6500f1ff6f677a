#include <QDateEdit>
#include <QLineEdit>
#include <QToolButton>
#include "FormsFixture.h"
#include "Input.h"
#include "platform/core/Clock.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Edit.h"
#include "platform/forms/HotKey.h"
#include "platform/forms/UpDown.h"

namespace {

QString Shown(THotKey* field)
{
    return static_cast<QLineEdit*>(field->Widget())->text();
}

// One press or release of a modifier key, with the modifiers held before it, as the window
// system reports them (Qt's event then reads as the state after it).
void ModifierKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers before)
{
    QKeyEvent event(type, key, before);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST_F(FormsTest, DatePickerKeepsItsDaysWithinTheBounds)
{
    ClockSet(EncodeDate(2026, 12, 7) + EncodeTime(19, 40, 0, 0));
    TForm form(nullptr);
    auto* picker = new TDateTimePicker(&form);
    picker->SetParent(&form);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(static_cast<QDateEdit*>(picker->Widget())->text(), "7.12.2026");
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };

    // Only the day of a bound counts; dates from code outside the bounds move to the nearer one.
    picker->SetMinDate(ClockNow() - 1.0);
    picker->SetMaxDate(EncodeDate(2026, 12, 31) + 0.75);
    EXPECT_EQ(picker->MinDate(), EncodeDate(2026, 12, 6));
    EXPECT_EQ(picker->MaxDate(), EncodeDate(2026, 12, 31));
    picker->SetDate(EncodeDate(2026, 12, 1));
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 6));
    picker->SetDate(EncodeDate(2027, 1, 5) + 0.5);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 31));
    picker->SetDate(EncodeDate(2026, 12, 24) + 0.5);
    EXPECT_EQ(picker->Date(), EncodeDate(2026, 12, 24));
    // A minimum above the maximum lifts the maximum.
    picker->SetMinDate(EncodeDate(2027, 2, 1));
    EXPECT_EQ(picker->MaxDate(), EncodeDate(2027, 2, 1));
    EXPECT_EQ(picker->Date(), EncodeDate(2027, 2, 1));
    EXPECT_EQ(changes, 0);
    picker->SetMaxDate(0);
    picker->SetMinDate(0);
    picker->SetDate(EncodeDate(1999, 3, 4));
    EXPECT_EQ(picker->Date(), EncodeDate(1999, 3, 4));

    // The user's change is heard.
    picker->SetFocus();
    PressKey(picker->Widget(), Qt::Key_Up);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(picker->Date(), EncodeDate(1999, 3, 4));
    ClockUseSystem();
}

TEST_F(FormsTest, UpDownStepsItsEditWithinTheRange)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* upDown = new TUpDown(&form);
    upDown->SetParent(&form);
    upDown->SetMin(0);
    upDown->SetMax(59);
    upDown->SetAssociate(edit);
    upDown->SetPosition(5);
    EXPECT_EQ(edit->Text(), "5");

    auto arrows = upDown->Widget()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    arrows[0]->click();
    EXPECT_EQ(edit->Text(), "6");
    arrows[1]->click();
    arrows[1]->click();
    EXPECT_EQ(upDown->Position(), 4);

    // Typed numbers are read back; out of range they are held at its ends, with no wrapping.
    edit->SetText("75");
    EXPECT_EQ(upDown->Position(), 59);
    arrows[0]->click();
    EXPECT_EQ(edit->Text(), "59");
    edit->SetText("0");
    arrows[1]->click();
    EXPECT_EQ(edit->Text(), "0");
    edit->SetText("x");
    EXPECT_EQ(upDown->Position(), 0);

    // Up and Down typed in the edit step it too.
    edit->SetText(" 7");
    PressKey(edit->Widget(), Qt::Key_Up);
    EXPECT_EQ(edit->Text(), "8");
    PressKey(edit->Widget(), Qt::Key_Down);
    PressKey(edit->Widget(), Qt::Key_Down);
    EXPECT_EQ(edit->Text(), "6");

    // A freed edit is let go; a range narrowed later holds the position.
    delete edit;
    EXPECT_EQ(upDown->Associate(), nullptr);
    upDown->SetMax(3);
    EXPECT_EQ(upDown->Position(), 3);
    upDown->Step(1);
    EXPECT_EQ(upDown->Position(), 3);
}

TEST_F(FormsTest, HotKeyFieldTakesTheCombinationPressed)
{
    TForm form(nullptr);
    auto* field = new THotKey(&form);
    field->SetParent(&form);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(Shown(field), "Ei mitään");
    field->SetHotKey(123);
    EXPECT_EQ(Shown(field), "F12");

    QWidget* widget = field->Widget();
    ModifierKey(widget, QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(Shown(field), "Ctrl + ");
    ModifierKey(widget, QEvent::KeyPress, Qt::Key_Alt, Qt::ControlModifier);
    PressKey(widget, Qt::Key_F9, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(field->HotKey(), VK_F9 + scCtrl + scAlt);
    EXPECT_EQ(Shown(field), "Ctrl + Alt + F9");
    PressKey(widget, Qt::Key_T, Qt::ShiftModifier, "T");
    EXPECT_EQ(field->HotKey(), 'T' + scShift);
    EXPECT_EQ(Shown(field), "Shift + T");
    PressKey(widget, Qt::Key_F12);
    EXPECT_EQ(field->HotKey(), 123);

    // Space, Backspace and Delete empty it; a bare modifier pressed and let go leaves it empty.
    PressKey(widget, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(Shown(field), "Ei mitään");
    field->SetHotKey(VK_INSERT + scShift);
    ModifierKey(widget, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(Shown(field), "Shift + ");
    ModifierKey(widget, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(Shown(field), "Ei mitään");

    // Enter and Escape are the dialog's; a code the field cannot name empties it.
    field->SetHotKey(123);
    PressKey(widget, Qt::Key_Escape);
    PressKey(widget, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(field->HotKey(), 123);
    field->SetHotKey(scCtrl);
    EXPECT_EQ(field->HotKey(), 0);
}
