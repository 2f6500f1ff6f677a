// TRichEdit: a memo whose characters carry their own style and colour; SelAttributes reads and
// sets them for the selection.
#pragma once
#include "platform/forms/Font.h"
#include "platform/forms/Memo.h"

class TRichEdit;

class TTextAttributes {
public:
    TColor Color() const;
    void SetColor(TColor color);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);

private:
    friend class TRichEdit;
    explicit TTextAttributes(TRichEdit* edit) : FEdit(edit) {}
    TRichEdit* FEdit;
};

class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* owner);

    TTextAttributes* SelAttributes() { return &FSelAttributes; }

private:
    friend class TTextAttributes;
    TTextAttributes FSelAttributes{this};
};
