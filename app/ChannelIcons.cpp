#include "app/ChannelIcons.h"
#include "listings/ChannelTable.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/PicturesAhead.h"
#include <functional>
#include <memory>
#include <vector>

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

// White bold text centred on a filled rectangle with a darker frame.
void DrawBadgeOn(TBitmap& bitmap, const TRect& area, const char* text, TColor color, int fontHeight)
{
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(color);
    canvas->FillRect(area);
    canvas->Brush()->SetColor(Darker(color));
    canvas->FrameRect(area);
    canvas->Brush()->SetStyle(bsClear);
    TFont* font = canvas->Font();
    font->SetName("Arial");
    font->SetHeight(fontHeight);
    font->SetStyle({fsBold});
    font->SetColor(clWhite);
    const int width = canvas->TextWidth(text);
    const int height = canvas->TextHeight(text);
    canvas->TextOut(area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2, text);
}

// Badges lie on a see-through picture, so the list's own background shows around them.
TBitmap ClearBitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    TBitmap bitmap;
    bitmap.Assign(image);
    return bitmap;
}

TBitmap DrawBadge(const Badge& badge)
{
    TBitmap bitmap = ClearBitmap(16, 16);
    DrawBadgeOn(bitmap, Rect(0, 1, 16, 15), badge.text, badge.color, badge.text[1] ? -9 : -11);
    return bitmap;
}

} // namespace

void DrawChannelIcons(TImageList& icons)
{
    icons.SetSize(16, 16);
    // Drawn ahead on a thread: the channel list's first frame shows up to twenty-six of them,
    // whose text would cost that frame its shaping, its glyphs and two fonts of their own.
    std::vector<std::function<QImage()>> makers;
    for (const Badge& badge : kBadges)
        makers.push_back([&badge] { return DrawBadge(badge).Image(); });
    auto ahead = std::make_shared<TPicturesAhead>(std::move(makers));
    for (std::size_t index = 0; index < ahead->Count(); ++index)
        icons.AddDeferred([ahead, index] {
            TBitmap picture;
            picture.Assign(ahead->Picture(index));
            return picture;
        });
}

QImage ProgramIconImage()
{
    TBitmap bitmap = ClearBitmap(32, 32);
    DrawBadgeOn(bitmap, Rect(1, 1, 31, 31), "Q", 0x00A05000, -24);
    return bitmap.Image();
}
