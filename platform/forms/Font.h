// TFont: name, size, style set and colour; what every control and canvas draws its text with.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/core/Object.h"
#include "platform/forms/Set.h"

class QFont;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TObject {
public:
    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& name);
    // Points at the screen's 96 pixels per inch, as the class library converts them.
    int Size() const;
    void SetSize(int points);
    // Pixels; negative is the character height without leading, which is what Qt's pixel size is.
    int Height() const { return FHeight; }
    void SetHeight(int pixels);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    void Assign(const TFont& other);
    bool operator==(const TFont& other) const;
    QFont ToQFont() const;

    TNotifyEvent OnChange;

private:
    void Changed();
    AnsiString FName = "Arial";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
};
