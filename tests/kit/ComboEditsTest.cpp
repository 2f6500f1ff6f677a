#include <gtest/gtest.h>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStyle>
#include <QTemporaryDir>
#include <QUrl>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/ComboEdits.h"
#include "platform/forms/Bitmap.h"
#include "platform/core/Files.h"
#include "platform/forms/Form.h"

namespace {

class ComboEditsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Folder = FromSystemPath(Dir.path().toStdString()) + "/";
        Form.SetBounds(0, 0, 420, 200);
        Edit = new TFilenameEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(8, 8, 193, 21);
        Edit->SetDialogTitle("Selaa tiedostoja");
        Edit->SetFilter("Wav-äänet (*.wav)|*.wav|Kaikki tiedostot|*.*"_a);
    }
    AnsiString MakeFile(const AnsiString& name)
    {
        AtomicWriteFile(Folder + name, "RIFF");
        return Folder + name;
    }
    // A second edit on the shown form, holding the focus, for what the keyboard does to it.
    void ShowFocused(TComboEdit& edit)
    {
        edit.SetParent(&Form);
        edit.SetBounds(8, 40, 120, 21);
        Form.Show();
        edit.SetFocus();
    }
    // Whether the edit takes a drag of these addresses. (Qt hands a drop only to the target of a
    // drag it runs itself, so the drop is made with DropFiles.)
    bool TakesDrag(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(Edit->Widget(), &enter);
        return enter.isAccepted();
    }
    QTemporaryDir Dir;
    AnsiString Folder;
    TForm Form{nullptr};
    TFilenameEdit* Edit = nullptr;
};

} // namespace

TEST_F(ComboEditsTest, FileNameQuotesBlanksAndReadsTheNameBack)
{
    Edit->SetFileName("/home/user/My Music/herätys.wav"_a);
    EXPECT_EQ(Edit->Text(), "\"/home/user/My Music/herätys.wav\""_a);
    EXPECT_EQ(Edit->FileName(), "/home/user/My Music/herätys.wav"_a);

    Edit->SetFileName("\"/opt/x y/z\"");
    EXPECT_EQ(Edit->Text(), "\"/opt/x y/z\"");

    Edit->SetText("/usr/bin/mplayer -quiet");
    EXPECT_EQ(Edit->FileName(), "/usr/bin/mplayer");

    AnsiString spaced = MakeFile("two words.wav");
    Edit->SetText(spaced);
    EXPECT_EQ(Edit->FileName(), spaced);
    EXPECT_EQ(Edit->LongName(), "two words.wav");
    // No file system here keeps a second, short form: the short name is the found name as well.
    EXPECT_EQ(Edit->ShortName(), "two words.wav");
    Edit->SetText(Folder + "missing.wav");
    EXPECT_EQ(Edit->LongName(), "");
    EXPECT_EQ(Edit->ShortName(), "") << "a file that isn't there has no name to report";

    Edit->SetText("kept");
    try {
        Edit->SetFileName("a|b.wav");
        FAIL();
    } catch (const EComboEditError& error) {
        EXPECT_EQ(error.Message, "Invalid file name - a|b.wav");
    }
    EXPECT_EQ(Edit->Text(), "kept");
    Edit->SetFileName("");
    EXPECT_EQ(Edit->Text(), "");
}

TEST_F(ComboEditsTest, BrowseButtonFillsTheTextFromTheDialog)
{
    AnsiString chosen = MakeFile("Hälytys ääni.wav"_a);
    Edit->SetFileName(Folder + "old.wav");
    Answers.push_back([&](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Selaa tiedostoja");
        ASSERT_EQ(box.EditCount(), 1);
        EXPECT_EQ(box.EditText(0), "old.wav");
        box.SetEditText(0, "Hälytys ääni.wav"_a);
        EXPECT_TRUE(box.Press("&Avaa"));
    });
    Edit->Button()->Click();
    EXPECT_EQ(Edit->Text(), "\"" + chosen + "\"");
    EXPECT_EQ(Edit->FileName(), chosen);
    EXPECT_EQ(Edit->InitialDir(), Folder);

    // Cancelling leaves the text alone.
    Answers.push_back([](ModalBox& box) { box.Press("Peruuta"); });
    Edit->Button()->Click();
    EXPECT_EQ(Edit->FileName(), chosen);

    // A name that must exist and does not keeps the dialog open with a warning.
    Edit->SetDialogOptions({ofHideReadOnly, ofFileMustExist, ofPathMustExist});
    Answers.push_back([&](ModalBox& box) {
        box.SetEditText(0, "missing.wav");
        box.Press("&Avaa");
        EXPECT_FALSE(box.Answered());
        box.Press("Peruuta");
    });
    Answers.push_back([&](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Varoitus");
        EXPECT_EQ(box.Text(), Folder + "missing.wav\r\nTiedostoa ei löydy. Tarkista tiedoston nimi."_a);
        box.Press("OK");
    });
    Edit->Button()->Click();
    EXPECT_EQ(Edit->FileName(), chosen);
}

TEST_F(ComboEditsTest, DirectInputAndReadOnlyDecideWhatStillWorks)
{
    Edit->SetDirectInput(false);
    Edit->SetFileName("/a.wav");
    Form.Show();
    Edit->SetFocus();
    PressKey(Edit->Widget(), Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(Edit->Text(), "/a.wav");

    int opened = 0;
    Edit->OnBeforeDialog = [&](TObject*, AnsiString& name, bool& action) {
        EXPECT_EQ(name, "/a.wav");
        ++opened;
        action = false;
    };
    Edit->Button()->Click();
    PressKey(Edit->Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(opened, 2);

    Edit->SetReadOnly(true);
    Edit->Button()->Click();
    PressKey(Edit->Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(opened, 2);
}

TEST_F(ComboEditsTest, DroppedFilesGiveTheFirstNameUnlessSeveralAreAllowed)
{
    AnsiString a = MakeFile("a.wav"), b = MakeFile("b c.wav"), c = MakeFile("c.wav");
    Form.Show();
    int drops = 0;
    Edit->OnDropFiles = [&](TObject*) { ++drops; };
    QUrl file = QUrl::fromLocalFile(QString::fromStdString(ToSystemPath(a)));
    EXPECT_FALSE(TakesDrag({file}));
    Edit->SetAcceptFiles(true);
    EXPECT_TRUE(TakesDrag({file}));
    EXPECT_FALSE(TakesDrag({QUrl("http://example.com/a.wav")}));

    Edit->DropFiles({b, a, c});
    EXPECT_EQ(Edit->FileName(), b);
    EXPECT_EQ(Edit->Text(), "\"" + b + "\"");
    EXPECT_EQ(drops, 1);

    Edit->SetDialogOptions({ofHideReadOnly, ofAllowMultiSelect});
    Edit->DropFiles({c, a});
    EXPECT_EQ(Edit->FileName(), c);
    EXPECT_EQ(Edit->Dialog()->Files.Count(), 2);
    EXPECT_EQ(drops, 2);
}

TEST_F(ComboEditsTest, ButtonWidthAndGlyphs)
{
    EXPECT_EQ(Edit->GlyphKind(), gkDefault);
    EXPECT_EQ(Edit->ButtonWidth(), 21);
    EXPECT_EQ(Edit->Glyph().Width(), 14);
    Edit->SetButtonWidth(20);
    EXPECT_EQ(Edit->ButtonWidth(), 20);
    EXPECT_EQ(Edit->Button()->Width(), 20);
    Edit->SetButtonWidth(Edit->ClientWidth());
    EXPECT_EQ(Edit->ButtonWidth(), 20);
    Edit->SetButtonWidth(1);
    EXPECT_FALSE(Edit->ButtonShown());

    TComboEdit combo(&Form);
    combo.SetParent(&Form);
    combo.SetBounds(8, 40, 265, 21);
    int clicks = 0;
    combo.OnButtonClick = [&](TObject*) { ++clicks; };
    combo.SetButtonWidth(13);
    combo.SetGlyphKind(gkEllipsis);
    QImage dots = combo.Glyph().Image();
    ASSERT_EQ(dots.width(), 7);
    ASSERT_EQ(dots.height(), 4);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(qRed(dots.pixel(x, 1)) == 0, x == 0 || x == 1 || x == 3 || x == 4 || x == 6) << x;
    EXPECT_EQ(qRed(dots.pixel(0, 0)), 255);
    combo.Button()->Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComboEditsTest, EnteringByKeySelectsTheTextOnlyWhenItCanBeTypedOverAndAutoSelectIsOn)
{
    Edit->SetFileName("/a.wav");
    Form.Show();
    auto* line = static_cast<QLineEdit*>(Edit->Widget());
    auto enter = [&](Qt::FocusReason reason) {
        line->deselect();
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(line, &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(line, &in);
        return line->selectedText().toStdString();
    };
    EXPECT_TRUE(Edit->AutoSelect());
    EXPECT_EQ(enter(Qt::TabFocusReason), "/a.wav");
    EXPECT_EQ(enter(Qt::MouseFocusReason), "");
    Edit->SetAutoSelect(false);
    EXPECT_EQ(enter(Qt::TabFocusReason), "");
    Edit->SetAutoSelect(true);
    Edit->SetDirectInput(false);
    EXPECT_EQ(enter(Qt::TabFocusReason), "");
}

// The edit under the button is a masked edit: a mask decides what can be typed, and the button
// works as before.
TEST_F(ComboEditsTest, AnEditMaskShapesWhatIsTypedAndTheButtonStillWorks)
{
    TComboEdit time(&Form);
    time.SetParent(&Form);
    time.SetBounds(8, 40, 120, 21);
    time.SetEditMask("!90:00;1;_");
    EXPECT_EQ(time.EditMask(), "!90:00;1;_");
    Form.Show();
    time.SetFocus();
    for (const char* c : {"x", "1", "2", "3", "0"})
        PressKey(time.Widget(), c[0] == 'x' ? Qt::Key_X : Qt::Key_0 + (c[0] - '0'), Qt::NoModifier, c);
    EXPECT_EQ(time.Text(), "12:30");
    int clicks = 0;
    time.OnButtonClick = [&](TObject*) { ++clicks; };
    PressKey(time.Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

// Alt+Down goes through the edit's own key handling first: OnKeyDown sees it, and a handler that
// takes the key keeps the button from being clicked.
TEST_F(ComboEditsTest, OnKeyDownSeesTheClickKeyBeforeTheButtonIsClicked)
{
    TComboEdit edit(&Form);
    ShowFocused(edit);
    std::vector<std::string> seen;
    bool take = false;
    edit.OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
        seen.push_back(key == VK_DOWN && shift.Contains(ssAlt) ? "alt+down" : "other");
        if (take)
            key = 0;
    };
    edit.OnButtonClick = [&](TObject*) { seen.push_back("click"); };
    PressKey(edit.Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(seen, (std::vector<std::string>{"alt+down", "click"}));
    seen.clear();
    take = true;
    PressKey(edit.Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(seen, (std::vector<std::string>{"alt+down"}));
}

// The caret is one pixel wide, two with a bold font: counted in the empty edit's picture, where
// the caret is the only dark ink.
TEST_F(ComboEditsTest, TheCaretIsTwoPixelsWideWithABoldFont)
{
    Edit->SetFileName("");
    Form.Show();
    Flush();
    Form.Activate();
    Flush();
    Edit->SetFocus();
    auto caretColumns = [&] {
        Flush();
        QImage picture = Edit->Widget()->grab().toImage();
        int columns = 0;
        for (int x = 3; x < Edit->ClientWidth() - Edit->ButtonWidth() - 4; ++x) {
            bool dark = false;
            for (int y = 4; y < picture.height() - 4; ++y)
                dark = dark || qGray(picture.pixel(x, y)) < 64;
            columns += dark;
        }
        return columns;
    };
    ASSERT_TRUE(Edit->Widget()->hasFocus());
    EXPECT_EQ(caretColumns(), 1);
    Edit->Font()->SetStyle({fsBold});
    EXPECT_EQ(caretColumns(), 2);
    Edit->Font()->SetStyle({});
    EXPECT_EQ(caretColumns(), 1);
}

// ReadOnly is read through GetReadOnly, so an edit can let its button work while nothing can be
// typed into it.
TEST_F(ComboEditsTest, AnEditCanKeepItsButtonWorkingWhileReadOnly)
{
    class TPickOnlyEdit : public TComboEdit {
    public:
        using TComboEdit::TComboEdit;

    protected:
        bool GetReadOnly() const override { return false; }
    };
    TPickOnlyEdit edit(&Form);
    edit.SetParent(&Form);
    int clicks = 0;
    edit.OnButtonClick = [&](TObject*) { ++clicks; };
    edit.SetReadOnly(true);
    edit.Button()->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(static_cast<QLineEdit*>(edit.Widget())->isReadOnly());
    TComboEdit plain(&Form);
    plain.SetParent(&Form);
    plain.OnButtonClick = [&](TObject*) { ++clicks; };
    plain.SetReadOnly(true);
    plain.Button()->Click();
    EXPECT_EQ(clicks, 1);
}

// A copy of the edit drawn elsewhere (as a grid draws its replicated rows) carries the button,
// which is replicatable; a child that is not is left out of the copy.
TEST_F(ComboEditsTest, ACopyOfTheEditCarriesItsReplicatableButton)
{
    Form.Show();
    const auto copyOfEdit = [this] {
        TBitmap copy(Edit->Width() + 10, Edit->Height() + 10);
        Edit->PaintTo(copy.Canvas(), 10, 10);
        return copy.Image().copy(10, 10, Edit->Width(), Edit->Height()).convertToFormat(QImage::Format_RGB32);
    };
    const QImage whole = Edit->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(copyOfEdit(), whole);

    TEditButton* button = Edit->Button();
    button->SetControlStyle(button->ControlStyle() - TControlStyle{csReplicatable});
    const QImage withoutButton = copyOfEdit();
    const QRect buttonArea(button->Widget()->mapTo(Edit->Widget(), QPoint(0, 0)), button->Widget()->size());
    EXPECT_NE(withoutButton.copy(buttonArea), whole.copy(buttonArea));
    // Only the button's place changed.
    QImage outside = withoutButton;
    QImage wholeOutside = whole;
    for (QImage* image : {&outside, &wholeOutside})
        for (int y = buttonArea.top(); y <= buttonArea.bottom(); ++y)
            for (int x = buttonArea.left(); x <= buttonArea.right(); ++x)
                image->setPixel(x, y, 0);
    EXPECT_EQ(outside, wholeOutside);
}

TEST_F(ComboEditsTest, ASaveDialogStartsInTheInitialFolderAndAddsTheDefaultExtension)
{
    Edit->SetInitialDir(Folder);
    Edit->SetDefaultExt("wav");
    Edit->SetFileEditStyle(fsComboBox);
    Edit->SetDialogKind(dkSave);
    EXPECT_EQ(Edit->DialogKind(), dkSave);
    EXPECT_EQ(Edit->InitialDir(), Folder) << "the settings carry over to the new kind of dialog";
    EXPECT_EQ(Edit->DefaultExt(), "wav");
    EXPECT_EQ(Edit->FileEditStyle(), fsComboBox);
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Selaa tiedostoja");
        ASSERT_EQ(box.EditCount(), 1);
        box.SetEditText(0, "uusi");
        EXPECT_TRUE(box.Press("&Tallenna"));
    });
    Edit->Button()->Click();
    EXPECT_EQ(Edit->FileName(), Folder + "uusi.wav") << "a new name, in the initial folder, with the extension";
}

TEST_F(ComboEditsTest, TheClickKeyCanBeAnotherKey)
{
    TComboEdit edit(&Form);
    ShowFocused(edit);
    int clicks = 0;
    edit.OnButtonClick = [&](TObject*) { ++clicks; };
    edit.SetClickKey(ShortCut(VK_F4, {}));
    EXPECT_EQ(edit.ClickKey(), ShortCut(VK_F4, {}));
    PressKey(edit.Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(clicks, 0) << "Alt+Down is an ordinary key now";
    PressKey(edit.Widget(), Qt::Key_F4);
    EXPECT_EQ(clicks, 1);
}
