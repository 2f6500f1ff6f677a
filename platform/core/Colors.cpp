#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

struct NamedColor {
    TColor value;
    const char* name;
};

// Class library order, so the first name of a duplicated value (clSilver before clLtGray) wins.
constexpr NamedColor kNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

// The classic desktop scheme, used until the forms layer resolves system colours from its palette.
constexpr std::uint32_t kClassicSystemColors[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0x000000, 0xFFFFFF, 0x404040, 0xE0E0E0, 0x000000, 0xE1FFFF};

SystemColorResolver& Resolver()
{
    static SystemColorResolver resolver;
    return resolver;
}

} // namespace

bool ColorToIdent(TColor color, AnsiString& ident)
{
    for (const auto& entry : kNames)
        if (entry.value == color) {
            ident = entry.name;
            return true;
        }
    return false;
}

bool IdentToColor(const AnsiString& ident, TColor& color)
{
    for (const auto& entry : kNames)
        if (SameText(ident, entry.name)) {
            color = entry.value;
            return true;
        }
    return false;
}

AnsiString ColorToString(TColor color)
{
    AnsiString ident;
    if (ColorToIdent(color, ident))
        return ident;
    return "$" + IntToHex(static_cast<std::uint32_t>(color), 8);
}

TColor StringToColor(const AnsiString& text)
{
    TColor color = 0;
    if (IdentToColor(text, color))
        return color;
    return static_cast<TColor>(StrToInt64(text));
}

std::uint32_t ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return static_cast<std::uint32_t>(color) & 0x00FFFFFFu;
    int index = color & 0xFF;
    if (Resolver())
        return Resolver()(index) & 0x00FFFFFFu;
    if (index < static_cast<int>(std::size(kClassicSystemColors)))
        return kClassicSystemColors[index];
    return 0;
}

void SetSystemColorResolver(SystemColorResolver resolver)
{
    Resolver() = std::move(resolver);
}
