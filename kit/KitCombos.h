// TOwnerDrawComboBox: a combo box that draws its items itself, each as high as its font's
// characters (at least 9 pixels). TColorComboBox: the 16 basic colours as framed swatches, with
// or without their names; ColorValue is the chosen colour, kept also when it is none of the 16.
// OnChange follows every change of ColorValue; setting it from code fires it as well, as the
// class library's colour box does. The edit-less list style draws the chosen swatch in the box.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/ListBox.h"

class QPainter;
class QRect;

class TOwnerDrawComboBox : public TComboBox {
public:
    explicit TOwnerDrawComboBox(TComponent* owner);

    int ItemHeight() const { return FItemHeight; }
    TCanvas* Canvas() { return &FCanvas; }

    // For the combo's views: paints one item.
    void PaintItem(QPainter* painter, const QRect& rect, int index, bool selected);

protected:
    virtual int GetItemHt();
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    void font_changed() override;
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    void UpdateItemHeight();
    int FItemHeight = 16;
    TCanvas FCanvas;
};

class TColorComboBox : public TOwnerDrawComboBox {
public:
    explicit TColorComboBox(TComponent* owner);
    ~TColorComboBox() override;

    TColor ColorValue() const;
    void SetColorValue(TColor value);
    // Display names by position; a missing or empty entry keeps the standard name.
    TStringList* ColorNames() { return &FColorNames; }
    void SetColorNames(const TStrings& names) { FColorNames.Assign(names); }
    bool DisplayNames() const { return FDisplayNames; }
    void SetDisplayNames(bool display);
    // The colour of item index.
    TColor ItemColor(int index) const;

    TNotifyEvent OnChange;

protected:
    virtual void PopulateList();
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;

private:
    void UserChanged();
    void DoChange();

    TColor FColorValue = clBlack;
    TStringList FColorNames;
    bool FDisplayNames = true;
};

// "Black", "Maroon", ... "White": the class library's names without "cl".
AnsiString StandardColorName(TColor color);
