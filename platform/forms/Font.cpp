#include "platform/forms/Font.h"
#include <QFont>
#include <cctype>
#include <cstdlib>
#include "platform/forms/QtText.h"

namespace {
constexpr int kPixelsPerInch = 96;

// The families the forms and pages name, and the installed fonts made to their widths. The
// dialog font "MS Sans Serif" at 8 points is as wide as Arial at 11 pixels within a pixel or so;
// the toolkit's own substitute for it (a wider family) made the forms' texts overflow.
struct FamilyMatch {
    const char* named;
    const char* installed;
};
constexpr FamilyMatch kFamilies[] = {
    {"MS Sans Serif", "Liberation Sans"}, {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},  {"MS Shell Dlg 2", "Liberation Sans"},
    {"Arial", "Liberation Sans"},         {"Tahoma", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},   {"Courier", "Liberation Mono"},
    {"Times New Roman", "Liberation Serif"}, {"Verdana", "DejaVu Sans"},
};

bool SameNameIgnoringCase(const AnsiString& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

} // namespace

AnsiString InstalledFamily(const AnsiString& name)
{
    for (const FamilyMatch& match : kFamilies)
        if (SameNameIgnoringCase(name, match.named))
            return match.installed;
    return name;
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
    QFont font(ToQString(InstalledFamily(FName)));
    font.setPixelSize(std::max(1, std::abs(FHeight)));
    font.setHintingPreference(QFont::PreferVerticalHinting);
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
