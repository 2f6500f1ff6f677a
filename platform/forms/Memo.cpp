#include "platform/forms/Memo.h"
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

namespace {

// Paragraphs of the document as a string list. An empty document has no lines.
class MemoLines : public TStrings {
public:
    explicit MemoLines(QTextEdit* edit) : FEdit(edit) {}

    int Count() const override
    {
        QTextDocument* doc = FEdit->document();
        return doc->isEmpty() ? 0 : doc->blockCount();
    }
    AnsiString Get(int index) const override
    {
        CheckIndex(index, Count());
        return FromQString(Block(index).text());
    }
    void Put(int index, const AnsiString& s) override
    {
        CheckIndex(index, Count());
        QTextCursor cursor(Block(index));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(ToQString(s), QTextCharFormat());
    }
    void Insert(int index, const AnsiString& s) override
    {
        int count = Count();
        CheckIndex(index, count + 1);
        QTextCursor cursor(FEdit->document());
        if (count == 0) {
            cursor.insertText(ToQString(s), QTextCharFormat());
        } else if (index == count) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertText(ToQString(s), QTextCharFormat());
        } else {
            cursor.setPosition(Block(index).position());
            cursor.insertText(ToQString(s), QTextCharFormat());
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        }
    }
    void Delete(int index) override
    {
        int count = Count();
        CheckIndex(index, count);
        if (count == 1) {
            Clear();
            return;
        }
        QTextCursor cursor(Block(index));
        if (index + 1 < count) {
            cursor.setPosition(Block(index + 1).position(), QTextCursor::KeepAnchor);
        } else {
            cursor.setPosition(Block(index - 1).position() + Block(index - 1).length() - 1);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    }
    void Clear() override { FEdit->document()->clear(); }

protected:
    void SetUpdateState(bool updating) override { FEdit->setUpdatesEnabled(!updating); }

private:
    QTextBlock Block(int index) const { return FEdit->document()->findBlockByNumber(index); }
    static void CheckIndex(int index, int limit)
    {
        if (index < 0 || index >= limit)
            throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    }
    QTextEdit* FEdit;
};

} // namespace

TCustomMemo::TCustomMemo(TComponent* owner) : TWinControl(owner), FEdit(new QTextEdit())
{
    FLines = std::make_unique<MemoLines>(FEdit);
    FEdit->setAcceptRichText(false);
    FEdit->setTabChangesFocus(true);
    FEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetWidget(FEdit);
    WatchWidget(FEdit->viewport());
    SetColor(clWindow);
    FEdit->resize(185, 89);
    QObject::connect(FEdit, &QTextEdit::textChanged, [this] {
        if (OnChange)
            Dispatch([this] { OnChange(this); });
    });
}

TCustomMemo::~TCustomMemo() = default;

AnsiString TCustomMemo::Text() const
{
    QString text = FEdit->toPlainText();
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return FromQString(text);
}

void TCustomMemo::SetText(const AnsiString& text)
{
    QString plain = ToQString(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QChar('\r'), QChar('\n'));
    FEdit->setPlainText(plain);
}

void TCustomMemo::Clear()
{
    FLines->Clear();
}

bool TCustomMemo::ReadOnly() const
{
    return FEdit->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool readOnly)
{
    FEdit->setReadOnly(readOnly);
    if (readOnly)
        FEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars)
{
    FScrollBars = scrollBars;
    bool vertical = scrollBars == ssVertical || scrollBars == ssBoth;
    bool horizontal = scrollBars == ssHorizontal || scrollBars == ssBoth;
    FEdit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FEdit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWordWrap(bool wordWrap)
{
    FWordWrap = wordWrap;
    FEdit->setLineWrapMode(wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TCustomMemo::SetWantTabs(bool wantTabs)
{
    FWantTabs = wantTabs;
    FEdit->setTabChangesFocus(!wantTabs);
}

bool TCustomMemo::WantsSpecialKey(WORD key) const
{
    return ((key == VK_RETURN || key == VK_ESCAPE) && FWantReturns) || (key == VK_TAB && FWantTabs);
}

bool TCustomMemo::widget_event(QObject* watched, QEvent* event)
{
    if (watched == FEdit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Only Ctrl+Enter breaks a line in a memo that does not want returns; one that does
        // keeps Escape too, so the key does not travel on to the form's cancel button.
        bool swallowed = FWantReturns ? key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier
                                      : enter && !(key->modifiers() & Qt::ControlModifier);
        if (swallowed) {
            event->accept();
            return true;
        }
    }
    return TWinControl::widget_event(watched, event);
}

int TCustomMemo::SelStart() const
{
    return FEdit->textCursor().selectionStart();
}

void TCustomMemo::SetSelStart(int position)
{
    QTextCursor cursor = FEdit->textCursor();
    cursor.setPosition(std::clamp(position, 0, FEdit->document()->characterCount() - 1));
    FEdit->setTextCursor(cursor);
}

int TCustomMemo::SelLength() const
{
    QTextCursor cursor = FEdit->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TCustomMemo::SetSelLength(int length)
{
    QTextCursor cursor = FEdit->textCursor();
    int start = cursor.selectionStart();
    int end = std::clamp(start + std::max(0, length), 0, FEdit->document()->characterCount() - 1);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    FEdit->setTextCursor(cursor);
}

AnsiString TCustomMemo::SelText() const
{
    QString text = FEdit->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return FromQString(text);
}

void TCustomMemo::SetSelText(const AnsiString& text)
{
    QTextCursor cursor = FEdit->textCursor();
    cursor.insertText(ToQString(text));
    FEdit->setTextCursor(cursor);
}

void TCustomMemo::SelectAll()
{
    FEdit->selectAll();
}

int TCustomMemo::LineStart(int line) const
{
    if (line < 0 || line >= FLines->Count())
        return -1;
    return FEdit->document()->findBlockByNumber(line).position();
}

void TCustomMemo::CopyToClipboard()
{
    FEdit->copy();
}
