// The speed button's look: its frame in each state and the glyph and caption inside it.
#include "kit/SpeedButton.h"
#include <QPainter>
#include "kit/DrawRoutines.h"
#include "kit/MaxMin.h"
#include "platform/forms/PaletteColors.h"

namespace {

// Top and left edges in one colour, bottom and right in the other; the rectangle shrinks by one.
void Frame3D(QPainter& painter, TRect& rect, TColor topLeft, TColor bottomRight)
{
    int right = rect.Right - 1;
    int bottom = rect.Bottom - 1;
    painter.setPen(ToQColor(topLeft));
    painter.drawLine(rect.Left, bottom, rect.Left, rect.Top);
    painter.drawLine(rect.Left, rect.Top, right, rect.Top);
    painter.setPen(ToQColor(bottomRight));
    painter.drawLine(right, rect.Top, right, bottom);
    painter.drawLine(right, bottom, rect.Left, bottom);
    rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

QBrush CheckeredBrush()
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    QRgb face = ToQColor(clBtnFace).rgb();
    QRgb light = ToQColor(clBtnHighlight).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 ? face : light);
    return QBrush(pattern);
}

} // namespace

void TKitSpeedButton::PaintButton(QPainter& painter)
{
    Paint(painter);
}

TRect TKitSpeedButton::DrawFrame(QPainter& painter, TRect rect, bool pressed)
{
    bool newStyle = NewStyle();
    if (!pressed) {
        if (newStyle) {
            if (!FFlat)
                Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
            Frame3D(painter, rect, FFlat ? clBtnHighlight : clBtnFace, clBtnShadow);
        } else if (!FFlat) {
            Frame3D(painter, rect, clWindowFrame, clWindowFrame);
            Frame3D(painter, rect, clBtnHighlight, clBtnShadow);
        } else {
            Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
        }
    } else if (newStyle) {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
        if (!FFlat)
            Frame3D(painter, rect, clBtnShadow, clBtnFace);
    } else if (!FFlat) {
        Frame3D(painter, rect, clWindowFrame, clWindowFrame);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(rect.Left, rect.Bottom - 1, rect.Left, rect.Top);
        painter.drawLine(rect.Left, rect.Top, rect.Right - 1, rect.Top);
    } else {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
    }
    return Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

void TKitSpeedButton::Paint(QPainter& target)
{
    if (Enabled() && FState == bsDisabled)
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    else if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    }
    TButtonState paintState = FFlat && !FMouseInControl ? bsInactive : FState;

    QImage image(IntMax(Width(), 1), IntMax(Height(), 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(ToQColor(clBtnFace));
    QPainter painter(&image);
    if (FTransparent)
        PaintParentBackground(this, painter);

    TRect face = ClientRect();
    bool exclusive = FState == bsExclusive;
    bool pressed = FState == bsDown || exclusive;
    if (FFlat && paintState == bsInactive && !exclusive)
        face = Rect(face.Left + 2, face.Top + 2, face.Right - 2, face.Bottom - 2);
    else
        face = DrawFrame(painter, face, pressed);
    if (exclusive && !FTransparent && (!FFlat || paintState == bsInactive))
        painter.fillRect(QRect(face.Left - 1, face.Top - 1, face.Width() + 2, face.Height() + 2), CheckeredBrush());
    TPoint offset = pressed ? Point(1, 1) : Point(0, 0);
    TButtonState passed = FState == bsDisabled || !FGrayedInactive ? FState : paintState;
    bool mark = FMarkDropDown && FDropDownMenu;
    PaintGlyph(painter, face, offset, passed, mark);
    painter.end();
    target.drawImage(0, 0, image);
}

void TKitSpeedButton::PaintGlyph(QPainter& painter, const TRect& rect, TPoint offset, TButtonState state, bool drawMark)
{
    FGlyph.Draw(painter, rect, offset, FCaption, FLayout, FMargin, FSpacing, state, drawMark, *Font());
}
