#include "kit/ButtonGlyph.h"
#include <QFontMetrics>
#include <QPainter>
#include "kit/DrawRoutines.h"
#include "kit/MaxMin.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtText.h"

namespace {

TColor ColorOfPixel(QRgb pixel)
{
    return static_cast<TColor>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
}

// Each line of the caption shortened with "..." to the width.
AnsiString EllipsizeLines(const AnsiString& caption, const TFont& font, int width)
{
    TCanvas canvas;
    canvas.Font()->Assign(font);
    AnsiString result;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = caption.find('\n', start);
        result += EllipsizeText(caption.substr(start, end == AnsiString::npos ? AnsiString::npos : end - start), canvas, width);
        if (end == AnsiString::npos)
            return result;
        result += '\n';
        start = end + 1;
    }
}

void DrawDropDownMark(QPainter& painter, int x, int y, TColor color)
{
    painter.setPen(ToQColor(color));
    for (int row = 0; row < 4; ++row)
        painter.drawLine(x + row, y + row, x + 6 - row, y + row);
}

} // namespace

QImage GreyedImage(const QImage& picture, TColor keep1, TColor keep2)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QRgb a = ToQColor(keep1).rgb() & 0x00FFFFFFu;
    QRgb b = ToQColor(keep2).rgb() & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb rgb = line[x] & 0x00FFFFFFu;
            if (rgb == a || rgb == b)
                continue;
            int level = (77 * qRed(line[x]) + 150 * qGreen(line[x]) + 29 * qBlue(line[x])) >> 8;
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    return image;
}

TKitButtonGlyph::TKitButtonGlyph()
{
    AcquireGlyphCache();
}

TKitButtonGlyph::~TKitButtonGlyph()
{
    Invalidate();
    ReleaseGlyphCache();
}

void TKitButtonGlyph::Invalidate()
{
    if (FGlyphList) {
        for (int& index : FIndexes)
            FGlyphList->Release(index);
        if (TGlyphCache* cache = SharedGlyphCache())
            cache->ReturnList(FGlyphList);
    }
    FIndexes.fill(-1);
    FGlyphList = nullptr;
}

void TKitButtonGlyph::SetGlyph(const TBitmap& glyph)
{
    Invalidate();
    FGlyph.Assign(glyph);
    if (FGlyph.Height() > 0) {
        // As the class library's bitmaps do by default, the bottom-left pixel is the see-through
        // colour.
        FTransparentColor = ColorOfPixel(FGlyph.Image().pixel(0, FGlyph.Height() - 1));
        if (FGlyph.Width() % FGlyph.Height() == 0) {
            int count = FGlyph.Width() / FGlyph.Height();
            FNumGlyphs = count > 5 ? 1 : IntMax(count, 1);
        }
    }
    if (OnChange)
        OnChange(this);
}

void TKitButtonGlyph::SetNumGlyphs(int count)
{
    if (count <= 0)
        return;
    count = IntMin(count, 5);
    if (count == FNumGlyphs)
        return;
    Invalidate();
    FNumGlyphs = count;
    if (OnChange)
        OnChange(this);
}

QSize TKitButtonGlyph::PictureSize() const
{
    if (FGlyph.Empty())
        return QSize(0, 0);
    return QSize(FGlyph.Width() / FNumGlyphs, FGlyph.Height());
}

QImage TKitButtonGlyph::Picture(int index) const
{
    QSize size = PictureSize();
    return FGlyph.Image().copy(index * size.width(), 0, size.width(), size.height());
}

int TKitButtonGlyph::PictureIndex(TButtonState state)
{
    QSize size = PictureSize();
    if (size.isEmpty())
        return -1;
    int& index = FIndexes[static_cast<std::size_t>(state)];
    if (index >= 0)
        return index;
    if (!FGlyphList)
        FGlyphList = SharedGlyphCache()->GetList(size.width(), size.height());
    int number = state;
    if (state == bsDown && FNumGlyphs < 3)
        number = bsUp;
    if (number >= FNumGlyphs)
        number = 0;
    switch (state) {
    case bsDisabled:
        if (FNumGlyphs < 2) {
            TBitmap first;
            first.Assign(Picture(0));
            std::unique_ptr<TBitmap> embossed = CreateDisabledBitmap(first, FTransparentColor);
            index = FGlyphList->AddMasked(embossed->Image(), clBtnFace);
        } else {
            index = FGlyphList->AddMasked(Picture(1), FTransparentColor);
        }
        break;
    case bsInactive:
        index = FGlyphList->AddMasked(FNumGlyphs > 4 ? Picture(4) : GreyedImage(Picture(0), FTransparentColor, clBtnFace),
                                      FTransparentColor);
        break;
    default:
        index = FGlyphList->AddMasked(Picture(number), FTransparentColor);
        break;
    }
    return index;
}

TRect TKitButtonGlyph::Layout(const TRect& client, TPoint offset, const AnsiString& caption, TButtonLayout layout,
                              int margin, int spacing, bool dropDownMark, const TFont& font, TPoint& glyphPos,
                              AnsiString& shownCaption) const
{
    QSize glyph = PictureSize();
    int glyphWidth = glyph.width();
    int glyphHeight = glyph.height();
    int width = client.Width();
    int height = client.Height();
    bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    int available = horizontal ? width - glyphWidth - (margin != -1 ? margin : 0) - (spacing != -1 ? spacing : 0) -
                                     (dropDownMark ? 9 : 0)
                               : width;
    int availableHeight =
        horizontal ? height : height - glyphHeight - (margin != -1 ? margin : 0) - (spacing != -1 ? spacing : 0);
    available = IntMax(available, 0);
    availableHeight = IntMax(availableHeight, 0);

    QFontMetrics metrics(font.ToQFont());
    shownCaption = WordWrap ? caption : EllipsizeLines(caption, font, available);
    QSize text(0, 0);
    if (!shownCaption.empty()) {
        QRect bounds = WordWrap ? metrics.boundingRect(QRect(0, 0, available, availableHeight),
                                                       Qt::TextWordWrap | Qt::TextShowMnemonic, ToQString(shownCaption))
                                : metrics.boundingRect(QRect(0, 0, 0, 0), Qt::TextShowMnemonic, ToQString(shownCaption));
        text = bounds.size();
    }
    if (dropDownMark) {
        if (glyphWidth > 0 && layout != blGlyphLeft)
            glyphWidth += 6;
        else
            text.setWidth(text.width() + 9);
    }

    // Across the layout direction both are centred.
    if (horizontal) {
        glyphPos.Y = (height - glyphHeight + 1) / 2;
    } else {
        glyphPos.X = (width - glyphWidth + 1) / 2;
    }
    int textAcross = horizontal ? (height - text.height() + 1) / 2 : (width - text.width() + 1) / 2;

    int extent = horizontal ? width : height;
    int glyphSize = horizontal ? glyphWidth : glyphHeight;
    int textSize = horizontal ? text.width() : text.height();
    if (textSize == 0 || glyphSize == 0)
        spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (extent - glyphSize - textSize) / 3;
    } else if (margin == -1) {
        margin = extent / 2 - (glyphSize + spacing + textSize) / 2;
    } else if (spacing == -1) {
        spacing = (extent - margin - glyphSize) / 2 - textSize / 2;
    }
    int glyphAlong = 0;
    int textAlong = 0;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAlong = margin;
        textAlong = margin + glyphSize + spacing;
    } else {
        glyphAlong = extent - margin - glyphSize;
        textAlong = glyphAlong - spacing - textSize;
    }
    int left = client.Left + offset.X;
    int top = client.Top + offset.Y;
    if (horizontal) {
        glyphPos.X = left + glyphAlong;
        glyphPos.Y += top;
        return Bounds(left + textAlong, top + textAcross, text.width(), text.height());
    }
    glyphPos.X += left;
    glyphPos.Y = top + glyphAlong;
    return Bounds(left + textAcross, top + textAlong, text.width(), text.height());
}

TRect TKitButtonGlyph::Draw(QPainter& painter, const TRect& client, TPoint offset, const AnsiString& caption,
                            TButtonLayout layout, int margin, int spacing, TButtonState state, bool dropDownMark,
                            const TFont& font)
{
    TPoint glyphPos;
    AnsiString shown;
    TRect textRect = Layout(client, offset, caption, layout, margin, spacing, dropDownMark, font, glyphPos, shown);
    int picture = PictureIndex(state);
    if (picture >= 0)
        FGlyphList->Draw(painter, glyphPos.X, glyphPos.Y, picture);

    if (!shown.empty()) {
        int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | (WordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        flags |= Alignment == taLeftJustify ? Qt::AlignLeft : Alignment == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
        QRect area(textRect.Left, textRect.Top, textRect.Width(), textRect.Height());
        painter.setFont(font.ToQFont());
        if (state == bsDisabled) {
            painter.setPen(ToQColor(clBtnHighlight));
            painter.drawText(area.translated(1, 1), flags, ToQString(shown));
            painter.setPen(ToQColor(clBtnShadow));
        } else {
            painter.setPen(ToQColor(font.Color()));
        }
        painter.drawText(area, flags, ToQString(shown));
    }

    if (dropDownMark) {
        QSize glyph = PictureSize();
        int x = 0;
        int y = 0;
        if (glyph.width() > 0 && layout != blGlyphLeft) {
            x = glyphPos.X + glyph.width() + 1;
            y = glyphPos.Y + glyph.height() / 2 - 2;
        } else if (!shown.empty()) {
            x = textRect.Right - 9 + 3;
            y = (textRect.Top + textRect.Bottom) / 2 - 2;
        } else {
            x = client.Left + offset.X + (client.Width() - 7) / 2;
            y = client.Top + offset.Y + (client.Height() - 4) / 2;
        }
        if (state == bsDisabled) {
            DrawDropDownMark(painter, x + 1, y + 1, clBtnHighlight);
            DrawDropDownMark(painter, x, y, clBtnShadow);
        } else {
            DrawDropDownMark(painter, x, y, clBtnText);
        }
    }
    return textRect;
}
