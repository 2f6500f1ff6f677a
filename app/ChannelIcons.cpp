#include "app/ChannelIcons.h"
#include "listings/ChannelTable.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/ImageList.h"

namespace {

struct Badge {
    const char* text;
    TColor color; // 0x00BBGGRR
};

// Index = icon index.
constexpr Badge kBadges[] = {
    {"1", 0x00A05000},  {"2", 0x00B07010},  {"3", 0x000000B0},  {"4", 0x00008040},  {"S", 0x00A000A0},
    {"C+", 0x00202020}, {"CG", 0x00108090}, {"CS", 0x00903020}, {"1k", 0x00404080}, {"Ci", 0x00303070},
    {"Mo", 0x00806000}, {"S1", 0x00804000}, {"S2", 0x00905010}, {"SE", 0x00A06020}, {"T4", 0x000050A0},
    {"ES", 0x00006000}, {"M", 0x00800080},  {"BB", 0x00000080}, {"VH", 0x00600060}, {"D", 0x00306030},
    {"TN", 0x000070C0}, {"RT", 0x000030C0}, {"R", 0x00606060},  {"!", 0x000000E0},  {"\xBB", 0x00008000},
};
static_assert(sizeof(kBadges) / sizeof(kBadges[0]) == NowOnAirViewIcon + 1);

TColor Darker(TColor color)
{
    const int r = GetRValue(color) / 2, g = GetGValue(color) / 2, b = GetBValue(color) / 2;
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}

TBitmap DrawBadge(const Badge& badge)
{
    TBitmap bitmap(16, 16);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(badge.color);
    canvas->FillRect(Rect(0, 1, 16, 15));
    canvas->Brush()->SetColor(Darker(badge.color));
    canvas->FrameRect(Rect(0, 1, 16, 15));
    canvas->Brush()->SetStyle(bsClear);
    TFont* font = canvas->Font();
    font->SetName("Arial");
    font->SetHeight(badge.text[1] ? -9 : -11);
    font->SetStyle({fsBold});
    font->SetColor(clWhite);
    const int width = canvas->TextWidth(badge.text);
    const int height = canvas->TextHeight(badge.text);
    canvas->TextOut((16 - width) / 2, (16 - height) / 2, badge.text);
    return bitmap;
}

} // namespace

void DrawChannelIcons(TImageList& icons)
{
    icons.SetSize(16, 16);
    for (const Badge& badge : kBadges)
        icons.Add(DrawBadge(badge));
}
