// TLabel: a line (or, with WordWrap, a paragraph) of text. With AutoSize the label takes the
// size of its text; with WordWrap as well it keeps its width and its height follows the text.
#pragma once
#include "platform/forms/Control.h"

class QLabel;

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

protected:
    void font_changed() override;
    void color_changed() override;
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    void AdjustSize();
    QLabel* FLabel;
    AnsiString FCaption;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    TAlignment FAlignment = taLeftJustify;
};

class TWinControl;

// A label owned by and placed on `parent` at (left, top): how forms lay out their captions.
TLabel* AddLabel(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);
