#include "dialogs/RichEditLines.h"
#include "platform/forms/RichEdit.h"

void RichEditAddLine(TRichEdit* edit, const AnsiString& line, TColor color, TFontStyles style)
{
    TStrings* lines = edit->Lines();
    struct UpdateBracket {
        TStrings* lines;
        ~UpdateBracket() { lines->EndUpdate(); }
    } bracket{lines};
    lines->BeginUpdate();
    const int selStart = edit->SelStart();
    const int selLength = edit->SelLength();
    lines->Add(line);
    edit->SetSelStart(edit->LineStart(lines->Count() - 1));
    edit->SetSelLength(static_cast<int>(line.size()));
    edit->SelAttributes()->SetStyle(style);
    edit->SelAttributes()->SetColor(color);
    edit->SetSelStart(selStart);
    edit->SetSelLength(selLength);
}
