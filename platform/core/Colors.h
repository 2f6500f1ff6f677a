// TColor as the class library keeps it: 0x00BBGGRR for RGB values, 0x80000000 | index for system
// colours, which resolve through a hook (the forms layer installs one that reads the palette).
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>
#include <functional>

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                 clDkGray = 0x808080, clWhite = 0xFFFFFF, clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                 clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24);

constexpr bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0x80000000u; }
constexpr int GetRValue(std::uint32_t rgb) { return rgb & 0xFF; }
constexpr int GetGValue(std::uint32_t rgb) { return (rgb >> 8) & 0xFF; }
constexpr int GetBValue(std::uint32_t rgb) { return (rgb >> 16) & 0xFF; }

// "clRed" for a named colour, else "$00BBGGRR".
AnsiString ColorToString(TColor color);
// A cl* name in any letter case, or a number ("$0000FF", decimal); raises EConvertError otherwise.
TColor StringToColor(const AnsiString& text);
bool IdentToColor(const AnsiString& ident, TColor& color);
bool ColorToIdent(TColor color, AnsiString& ident);
// RGB value (0x00BBGGRR) of any colour; system colours ask the resolver.
std::uint32_t ColorToRGB(TColor color);

// Returns 0x00BBGGRR for a system colour index; without one, fixed classic values are used.
using SystemColorResolver = std::function<std::uint32_t(int index)>;
void SetSystemColorResolver(SystemColorResolver resolver);
