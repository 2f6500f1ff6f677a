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
        bool typing = event->text().size() == 1 && event->text().at(0).isPrint()
                      && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        bool pasting = event == QKeySequence::Paste;
        bool erasing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
        if (!typing && !pasting && !erasing) {
            if (event == QKeySequence::Copy || event == QKeySequence::SelectAll || IsMove(event->key()))
                QLineEdit::keyPressEvent(event);
            else
                event->ignore();
            return;
        }
        bool hadSelection = hasSelectedText();
        int cursor = TakeSelection();
        if (pasting) {
            for (char c : FromQString(QApplication::clipboard()->text()))
                cursor = Mask.Type(cursor, c);
        } else if (typing) {
            cursor = Mask.Type(cursor, FromQString(event->text())[0]);
        } else if (!hadSelection) {
            cursor = event->key() == Qt::Key_Backspace ? Mask.Backspace(cursor) : Mask.DeleteAt(cursor);
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
        if (!hasSelectedText())
            return cursorPosition();
        int from = selectionStart();
        Mask.Clear(from, from + static_cast<int>(selectedText().size()));
        return from;
    }
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
