// TMetafile: a recorded page, our own display list in the pixels of the device it was laid out
// for (one unit per printer pixel). Played back on any painter, scaled to the target rectangle,
// so the preview and the printer draw the same page; QPicture is not used because it rescales
// by the devices' logical resolutions behind our back.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/core/Object.h"
#include "platform/forms/Brush.h"
#include "platform/forms/Font.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Pen.h"
#include "platform/forms/Types.h"
#include <variant>
#include <vector>

class QPainter;
class QRectF;
class QFont;

struct MetafileFont {
    AnsiString Name;
    int Height = 0; // pixels; negative is the character height without leading
    TFontStyles Style;
    TColor Color = clBlack;
};

// Text whose cell's top-left is at (X, Y); no background.
struct MetafileText {
    int X = 0;
    int Y = 0;
    AnsiString Text;
    MetafileFont Font;
};

struct MetafileLine {
    TPoint From;
    TPoint To;
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

// A rectangle with Windows' exclusive right and bottom edges, filled and/or framed.
struct MetafileRectangle {
    TRect Bounds;
    bool Filled = false;
    TColor FillColor = clWhite;
    bool Framed = false;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
};

using MetafileRecord = std::variant<MetafileText, MetafileLine, MetafileRectangle>;

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    TMetafile(int width, int height) : FWidth(width), FHeight(height) {}

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return FWidth <= 0 || FHeight <= 0; }
    // Plays the records at the picture's own size.
    void Draw(QPainter& painter, int x, int y) const override;
    void SetSize(int width, int height) { FWidth = width; FHeight = height; }

    const std::vector<MetafileRecord>& Records() const { return FRecords; }
    void Add(MetafileRecord record) { FRecords.push_back(std::move(record)); }
    void Clear() { FRecords.clear(); }

    // Draws the page so that its Width x Height fills `target`.
    void Play(QPainter& painter, const QRectF& target) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<MetafileRecord> FRecords;
};

// The Qt font a recorded font draws and measures with; hinting is off so that widths measured
// for the printer hold on every device.
QFont MetafileQFont(const MetafileFont& font);
