#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include "FormsFixture.h"
#include "Input.h"
#include "platform/forms/Button.h"
#include "platform/forms/MaskEdit.h"
#include "platform/forms/MaskedText.h"

namespace {

const AnsiString kTimeMask = "!90:00;1;_";

MaskedText Typed(const AnsiString& mask, const AnsiString& keys)
{
    MaskedText text(mask);
    int cursor = 0;
    for (char c : keys)
        cursor = text.Type(cursor, c);
    return text;
}

MaskedText WithText(const AnsiString& mask, const AnsiString& value)
{
    MaskedText text(mask);
    text.SetText(value);
    return text;
}

} // namespace

TEST(MaskedText, TimeMaskStartsEmptyAndShowsTheBlankCharacter)
{
    MaskedText mask(kTimeMask);
    EXPECT_EQ(mask.Length(), 5);
    EXPECT_EQ(mask.Text(), "  :  ");
    EXPECT_EQ(mask.EditText(), "__:__");
    EXPECT_FALSE(mask.Complete());
}

TEST(MaskedText, TypingStepsOverTheSeparator)
{
    EXPECT_EQ(Typed(kTimeMask, "2015").Text(), "20:15");
    EXPECT_EQ(Typed(kTimeMask, "20:15").Text(), "20:15");
    EXPECT_TRUE(Typed(kTimeMask, "2015").Complete());
    // Letters and a sixth digit go nowhere.
    EXPECT_EQ(Typed(kTimeMask, "2a0b1c59").Text(), "20:15");
}

TEST(MaskedText, AOneDigitHourKeepsALeadingBlank)
{
    EXPECT_EQ(Typed(kTimeMask, "9:30").Text(), " 9:30");
    EXPECT_EQ(Typed(kTimeMask, "9:30").EditText(), "_9:30");
    EXPECT_EQ(Typed(kTimeMask, " 930").Text(), " 9:30");
    EXPECT_TRUE(Typed(kTimeMask, "9:30").Complete());

    // The hour's second place left empty by moving past it: the digit still stands last.
    MaskedText mask(kTimeMask);
    mask.Type(0, '9');
    mask.Type(mask.Type(3, '3'), '0');
    EXPECT_EQ(mask.Text(), " 9:30");
    EXPECT_EQ(mask.EditText(), "9_:30");
    EXPECT_TRUE(mask.Complete());
}

TEST(MaskedText, MissingRequiredCharactersLeaveItIncomplete)
{
    EXPECT_FALSE(Typed(kTimeMask, "12:3").Complete());
    EXPECT_FALSE(Typed(kTimeMask, "::").Complete());
    EXPECT_FALSE(WithText(kTimeMask, "  :30").Complete());
    // A blank goes only into an optional place.
    EXPECT_EQ(Typed(kTimeMask, "1 ").EditText(), "1_:__");
}

TEST(MaskedText, SetTextFillsFieldByField)
{
    EXPECT_EQ(WithText(kTimeMask, "20:00").Text(), "20:00");
    EXPECT_EQ(WithText(kTimeMask, " 9:30").Text(), " 9:30");
    EXPECT_EQ(WithText(kTimeMask, "9:30").Text(), " 9:30");
    EXPECT_EQ(WithText(kTimeMask, "9:30").EditText(), "_9:30");
    EXPECT_EQ(WithText(kTimeMask, "x1:4y").Text(), " 1:4 ");
    // Too long: the right-aligned hour keeps its last digits, the minutes their first.
    EXPECT_EQ(WithText(kTimeMask, "123:456").Text(), "23:45");
    // No separator at all: the characters go place by place.
    EXPECT_EQ(WithText(kTimeMask, "1230").Text(), "12:30");
    EXPECT_EQ(WithText(kTimeMask, "").Text(), "  :  ");
}

TEST(MaskedText, DeletingEmptiesPlacesAndSkipsTheSeparator)
{
    MaskedText mask = WithText(kTimeMask, "20:15");
    EXPECT_EQ(mask.Backspace(3), 1);
    EXPECT_EQ(mask.Text(), " 2:15");
    EXPECT_EQ(mask.DeleteAt(3), 3);
    EXPECT_EQ(mask.Text(), " 2: 5");
    EXPECT_EQ(mask.DeleteAt(2), 2); // the separator stays
    mask.Clear(0, 5);
    EXPECT_EQ(mask.Text(), "  :  ");
    EXPECT_EQ(mask.Backspace(0), 0);
}

TEST(MaskedText, OtherPlacesLiteralsAndParts)
{
    // Letters (Windows-1252 ones too), escaped mask characters, a blank of its own.
    MaskedText code = Typed("LL\\-00;1;*", "\xC4xk12");
    EXPECT_EQ(code.Text(), "\xC4x-12");
    EXPECT_EQ(Typed("LL\\-00;1;*", "a").EditText(), "a*-**");
    // Literals not saved: Text holds the places only, without the blanks at its end.
    MaskedText phone = WithText("(999) 000;0;_", "(12) 345");
    EXPECT_EQ(phone.EditText(), "(12_) 345");
    EXPECT_EQ(phone.Text(), "12 345");
    EXPECT_EQ(WithText("(999) 000;0;_", "12").Text(), "12");
    // '#' takes a sign, 'c' any character, 'A' letters and digits.
    EXPECT_EQ(Typed("#0;1;_", "-5").Text(), "-5");
    EXPECT_EQ(Typed("cA;1;_", "%_z").Text(), "%z");
    // The date separator stands for '/'.
    EXPECT_EQ(Typed("00/00;1;_", "0112").Text(), "01.12");
    EXPECT_FALSE(MaskedText("").Masked());
}

TEST_F(FormsTest, MaskEditTakesKeysThroughItsMask)
{
    TForm form(nullptr);
    auto* edit = new TMaskEdit(&form);
    edit->SetParent(&form);
    edit->SetEditMask(kTimeMask);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    QWidget* widget = edit->Widget();
    for (QString key : {"1", ":", "3", "0"})
        PressKey(widget, 0, Qt::NoModifier, key);
    EXPECT_EQ(edit->EditText(), "_1:30");
    EXPECT_EQ(edit->Text(), " 1:30");
    EXPECT_GE(changes, 3);

    // Undo, cut and select-all-then-type would edit behind the mask's back; only the mask edits.
    PressKey(widget, Qt::Key_Z, Qt::ControlModifier);
    PressKey(widget, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->EditText(), "_1:30");
    PressKey(widget, Qt::Key_A, Qt::ControlModifier);
    PressKey(widget, Qt::Key_2, Qt::NoModifier, "2");
    EXPECT_EQ(edit->EditText(), "2_:__");
    PressKey(widget, Qt::Key_Backspace);
    EXPECT_EQ(edit->EditText(), "__:__");

    QApplication::clipboard()->setText("19:4x5");
    PressKey(widget, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "19:45");
    EXPECT_TRUE(edit->Complete());

    edit->SetReadOnly(true);
    PressKey(widget, Qt::Key_Home);
    PressKey(widget, Qt::Key_Delete);
    PressKey(widget, Qt::Key_1, Qt::NoModifier, "1");
    EXPECT_EQ(edit->Text(), "19:45");
}

TEST_F(FormsTest, MaskEditWithoutAMaskIsAPlainEditAndAnswersTheModalHandler)
{
    TForm form(nullptr);
    auto* edit = new TMaskEdit(&form);
    edit->SetParent(&form);
    PressKey(edit->Widget(), Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(edit->Text(), "a");
    EXPECT_TRUE(edit->Complete());
    edit->SetText("2015");
    edit->SetEditMask(kTimeMask);
    EXPECT_EQ(edit->Text(), "20:15");

    // Through the edit base, as a test's modal handler reaches it.
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    Answers.push_back([](ModalBox& box) {
        ASSERT_EQ(box.EditCount(), 1);
        box.SetEditText(0, "7:05");
        EXPECT_EQ(box.EditText(0), " 7:05");
        box.Press("OK");
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->text(), "_7:05");
}

// Each place character of the mask language: what it takes (a digit, a letter, a sign, any other
// character) and whether the text is complete without it.
TEST(MaskedText, EveryPlaceCharacterTakesItsKindAndIsRequiredOrNot)
{
    struct Place {
        char mask;
        const char* takes; // of "5k-%": the ones the place takes
        bool required;
    };
    const Place places[] = {
        {'0', "5", true},     {'9', "5", false},   {'#', "5-", false},  {'L', "k", true},    {'l', "k", false},
        {'A', "5k", true},    {'a', "5k", false},  {'C', "5k-%", true}, {'c', "5k-%", false},
    };
    for (const Place& place : places) {
        const AnsiString mask = AnsiString(1, place.mask) + ";1;_";
        EXPECT_EQ(MaskedText(mask).Complete(), !place.required) << place.mask;
        for (char c : AnsiString("5k-%")) {
            const bool takes = AnsiString(place.takes).find(c) != AnsiString::npos;
            EXPECT_EQ(Typed(mask, AnsiString(1, c)).EditText(), takes ? AnsiString(1, c) : AnsiString("_"))
                << place.mask << " with " << c;
        }
    }
}
