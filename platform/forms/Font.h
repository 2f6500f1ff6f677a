// TFont: name, size, style set and colour; what every control and canvas draws its text with.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/core/Object.h"
#include "platform/forms/Set.h"

class QFont;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// A new font is the class library's default form font, "MS Sans Serif" at 8 points (11 pixels).
// The families the forms name are drawn with installed fonts of the same widths (see
// InstalledFamily), so text laid out for them fits here.
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
    // In pixels and without horizontal hinting, so a text is as wide on every screen.
    QFont ToQFont() const;

    TNotifyEvent OnChange;

private:
    void Changed();
    AnsiString FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
};

// The installed family that draws a family a form names: one with the same character widths
// ("Arial" and the dialog font "MS Sans Serif" are drawn with "Liberation Sans"); a family not
// in the table is asked for by its own name.
AnsiString InstalledFamily(const AnsiString& name);
