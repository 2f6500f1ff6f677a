#include "platform/forms/MaskEdit.h"
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include "platform/forms/QtText.h"

// Under a mask the line edit only moves the cursor, selects and copies; typing, pasting and
// erasing go through the mask place by place.
class MaskLineEdit : public QLineEdit {
public:
    MaskedText Mask;

    void SetMask(const MaskedText& mask)
    {
        Mask = mask;
        bool masked = Mask.Masked();
        setContextMenuPolicy(masked ? Qt::NoContextMenu : Qt::DefaultContextMenu);
        setAcceptDrops(!masked);
        setDragEnabled(false);
        setMaxLength(masked ? Mask.Length() : 32767);
        if (masked)
            Show(0);
    }

    void Show(int cursor)
    {
        setText(ToQString(Mask.EditText()));
        setCursorPosition(cursor);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!Mask.Masked()) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        bool typing = event->text().size() == 1 && event->text().at(0).isPrint()
                      && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        bool pasting = event == QKeySequence::Paste;
        bool erasing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
        if (isReadOnly() || (!typing && !pasting && !erasing)) {
            if (event == QKeySequence::Copy || event == QKeySequence::SelectAll || IsMove(event->key()))
                QLineEdit::keyPressEvent(event);
            else
                event->ignore();
            return;
        }
        bool hadSelection = hasSelectedText();
        int cursor = TakeSelection();
        if (pasting)
            cursor = TypeAll(cursor, FromQString(QApplication::clipboard()->text()));
        else if (typing)
            cursor = TypeAll(cursor, FromQString(event->text()));
        else if (!hadSelection)
            cursor = event->key() == Qt::Key_Backspace ? Mask.Backspace(cursor) : Mask.DeleteAt(cursor);
        Show(cursor);
    }

    // Characters composed by an input method arrive here rather than as key presses.
    void inputMethodEvent(QInputMethodEvent* event) override
    {
        if (!Mask.Masked() || isReadOnly() || event->commitString().isEmpty()) {
            QLineEdit::inputMethodEvent(event);
            return;
        }
        Show(TypeAll(TakeSelection(), FromQString(event->commitString())));
    }

private:
    static bool IsMove(int key)
    {
        return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
    }

    int TypeAll(int cursor, const AnsiString& typed)
    {
        for (char c : typed)
            cursor = Mask.Type(cursor, c);
        return cursor;
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

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner, new MaskLineEdit())
{
    FMaskEdit = static_cast<MaskLineEdit*>(LineEdit());
}

void TMaskEdit::SetEditMask(const AnsiString& mask)
{
    AnsiString text = Text();
    FEditMask = mask;
    MaskedText masked(mask);
    masked.SetText(text);
    FMaskEdit->SetMask(masked);
    if (!masked.Masked())
        TEdit::SetText(text);
}

AnsiString TMaskEdit::Text() const
{
    return FMaskEdit->Mask.Masked() ? FMaskEdit->Mask.Text() : TEdit::Text();
}

void TMaskEdit::SetText(const AnsiString& text)
{
    if (!FMaskEdit->Mask.Masked()) {
        TEdit::SetText(text);
        return;
    }
    FMaskEdit->Mask.SetText(text);
    FMaskEdit->Show(0);
}

AnsiString TMaskEdit::EditText() const
{
    return TEdit::Text();
}

bool TMaskEdit::Complete() const
{
    return !FMaskEdit->Mask.Masked() || FMaskEdit->Mask.Complete();
}
