#include "platform/forms/Font.h"
#include <QFont>
#include <cstdlib>
#include "platform/forms/QtText.h"

namespace {
constexpr int kPixelsPerInch = 96;
}

void TFont::SetName(const AnsiString& name)
{
    if (name == FName)
        return;
    FName = name;
    Changed();
}

int TFont::Size() const
{
    // The class library rounds half away from zero here (MulDiv).
    int pixels = -FHeight;
    int magnitude = (std::abs(pixels) * 72 + kPixelsPerInch / 2) / kPixelsPerInch;
    return pixels < 0 ? -magnitude : magnitude;
}

void TFont::SetSize(int points)
{
    int magnitude = (std::abs(points) * kPixelsPerInch + 36) / 72;
    SetHeight(points < 0 ? magnitude : -magnitude);
}

void TFont::SetHeight(int pixels)
{
    if (pixels == FHeight)
        return;
    FHeight = pixels;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (*this == other)
        return;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    Changed();
}

bool TFont::operator==(const TFont& other) const
{
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor;
}

QFont TFont::ToQFont() const
{
    QFont font(ToQString(FName));
    font.setPixelSize(std::max(1, std::abs(FHeight)));
    font.setBold(FStyle.Contains(fsBold));
    font.setItalic(FStyle.Contains(fsItalic));
    font.setUnderline(FStyle.Contains(fsUnderline));
    font.setStrikeOut(FStyle.Contains(fsStrikeOut));
    return font;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}
