// TTextMemo: a multi-line plain-text field. The forms layer has no memo yet; this one offers the
// text and its first line, which is all the alarm dialog reads.
#pragma once
#include "platform/forms/WinControl.h"

class QPlainTextEdit;

class TTextMemo : public TWinControl {
public:
    explicit TTextMemo(TComponent* owner);

    // Lines joined by CR LF.
    AnsiString Text() const;
    // Lines may end in CR LF, LF or CR.
    void SetText(const AnsiString& text);
    // Empty when the memo is.
    AnsiString FirstLine() const;

private:
    QPlainTextEdit* FEdit;
};
