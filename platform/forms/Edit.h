// TEdit: a one-line text field. OnChange follows every change of the text, from the user or
// from code, as the class library's edit does.
#pragma once
#include "platform/forms/WinControl.h"

class QLineEdit;

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    virtual AnsiString Text() const;
    virtual void SetText(const AnsiString& text);
    // 0 is no limit; text set from code is cut to the limit as well.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int maxLength);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // Entering the edit by key (not by a mouse press) selects all its text.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
    void SelectAll();
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);

    TNotifyEvent OnChange;

protected:
    // For edits that bring a line edit of their own.
    TEdit(TComponent* owner, QLineEdit* edit);
    QLineEdit* LineEdit() const { return FEdit; }
    // Whether entering by key selects the text; an edit that can't be typed over may say no.
    virtual bool SelectsOnEntry() const { return FAutoSelect; }
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    QLineEdit* FEdit;
    int FMaxLength = 0;
    bool FAutoSelect = true;
};
