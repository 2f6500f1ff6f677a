#include "alarms/TimeMaskEdit.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include "platform/forms/QtText.h"

// Every change of the text goes through the mask; the line edit's own editing (undo, cut,
// drops, its context menu) would break the places apart, so it only moves the cursor.
class TimeMaskLineEdit : public QLineEdit {
public:
    TimeMaskLineEdit()
    {
        setContextMenuPolicy(Qt::NoContextMenu);
        setAcceptDrops(false);
        setDragEnabled(false);
        Show();
    }

    TimeMask Mask;

    void Show(int cursor = 0)
    {
        setText(ToQString(Mask.DisplayText()));
        setCursorPosition(cursor);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event == QKeySequence::Copy || event == QKeySequence::SelectAll || IsMove(event->key())) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        int cursor = TakeSelection();
        if (event == QKeySequence::Paste) {
            for (char c : FromQString(QApplication::clipboard()->text()))
                cursor = Mask.Type(cursor, c);
        } else if (event->key() == Qt::Key_Backspace) {
            cursor = hadSelection ? cursor : Mask.Backspace(cursor);
        } else if (event->key() == Qt::Key_Delete) {
            cursor = hadSelection ? cursor : Mask.DeleteAt(cursor);
        } else if (event->text().size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            cursor = Mask.Type(cursor, FromQString(event->text())[0]);
        } else {
            event->ignore();
            return;
        }
        Show(cursor);
    }

private:
    static bool IsMove(int key)
    {
        return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
    }

    // A selection is emptied before typing, as overwriting it would.
    int TakeSelection()
    {
        hadSelection = hasSelectedText();
        if (!hadSelection)
            return cursorPosition();
        int from = selectionStart();
        Mask.Clear(from, from + static_cast<int>(selectedText().size()));
        return from;
    }
    bool hadSelection = false;
};

TTimeMaskEdit::TTimeMaskEdit(TComponent* owner) : TWinControl(owner), FEdit(new TimeMaskLineEdit())
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->setMaxLength(TimeMask::kLength);
    FEdit->resize(121, 21);
}

AnsiString TTimeMaskEdit::Text() const
{
    return FEdit->Mask.Text();
}

void TTimeMaskEdit::SetText(const AnsiString& text)
{
    FEdit->Mask.SetText(text);
    FEdit->Show();
}

AnsiString TTimeMaskEdit::EditText() const
{
    return FromQString(FEdit->text());
}

bool TTimeMaskEdit::Complete() const
{
    return FEdit->Mask.Complete();
}
