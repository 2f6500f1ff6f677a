// TMaskEdit: an edit whose text follows an edit mask (see MaskedText), e.g. the alarm time
// "!90:00;1;_"; without a mask it is a plain edit. Every change of a masked text goes through
// the mask, so the line edit's own undo, cut, drops and context menu are off. The class library
// checks a half-filled mask when the focus leaves and raises; here nothing is raised, and the
// form asks Complete() when it needs a whole value.
#pragma once
#include "platform/forms/Edit.h"
#include "platform/forms/MaskedText.h"

class MaskLineEdit;

class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TComponent* owner);

    const AnsiString& EditMask() const { return FEditMask; }
    // The text is kept and put through the new mask.
    void SetEditMask(const AnsiString& mask);
    // " 9:30", "12:00", "  :  " when nothing is typed into "!90:00;1;_".
    AnsiString Text() const override;
    void SetText(const AnsiString& text) override;
    // As shown, with the blank character in the empty places ("_9:30").
    AnsiString EditText() const;
    // Every required place is filled (always true without a mask).
    bool Complete() const;

private:
    MaskLineEdit* FMaskEdit;
    AnsiString FEditMask;
};
