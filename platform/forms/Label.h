// TLabel: a line (or, with WordWrap, a paragraph) of text. With AutoSize the label takes the
// size of its text; with WordWrap as well it keeps its width and its height follows the text.
// With ShowAccelChar (the default) the character after '&' is underlined and "&&" shows one
// '&'; that character with Alt then gives FocusControl the focus.
#pragma once
#include "platform/forms/Control.h"

class LabelWidget;
class TWinControl;

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool show);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

protected:
    void font_changed() override;
    void color_changed() override;
    bool widget_event(QObject* watched, QEvent* event) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void AdjustSize();
    void UpdateAccelerator();
    LabelWidget* FLabel;
    AnsiString FCaption;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TAlignment FAlignment = taLeftJustify;
    TWinControl* FFocusControl = nullptr;
    int FShortcutId = 0;
};

// A label owned by and placed on `parent` at (left, top): how forms lay out their captions.
TLabel* AddLabel(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);
