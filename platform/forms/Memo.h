// TMemo, and TCustomMemo under it and TRichEdit: multi-line text. Lines are the paragraphs;
// positions (SelStart, LineStart) count characters with one per line break.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/WinControl.h"
#include <memory>

class QTextEdit;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TWinControl {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    // Backed by the control; added lines take the control's plain font and colour.
    TStrings* Lines() const { return FLines.get(); }
    AnsiString Text() const;
    void SetText(const AnsiString& text);
    void Clear();

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    // Enter starts a new line (and neither Enter nor Escape reaches the form's default or cancel
    // button); without it Enter adds no line.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool wantReturns) { FWantReturns = wantReturns; }
    // Tab types a tab instead of moving to the next control.
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool wantTabs);
    bool WantsSpecialKey(WORD key) const override;

    int SelStart() const;
    void SetSelStart(int position);
    int SelLength() const;
    void SetSelLength(int length);
    // Line breaks in the selection read as CR LF.
    AnsiString SelText() const;
    void SetSelText(const AnsiString& text);
    void SelectAll();
    // Position of the first character of a line; -1 outside the text.
    int LineStart(int line) const;
    void CopyToClipboard();

    TNotifyEvent OnChange;

protected:
    void copy_message() override { CopyToClipboard(); }
    bool widget_event(QObject* watched, QEvent* event) override;
    QTextEdit* FEdit;

private:
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
