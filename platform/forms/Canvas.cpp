#include "platform/forms/Canvas.h"
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include "platform/forms/Bitmap.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtRect.h"
#include "platform/forms/QtText.h"

template <typename Fn>
void TCanvas::WithPainter(Fn&& draw)
{
    if (FPainter) {
        FPainter->save();
        draw(*FPainter);
        FPainter->restore();
        return;
    }
    if (!FDevice)
        return;
    QPainter painter(FDevice);
    draw(painter);
}

void TCanvas::FillBackground(QPainter& painter, const TRect& rect)
{
    if (FBrush.Style() == bsSolid)
        painter.fillRect(ToQRect(rect), ToQColor(FBrush.Color()));
}

void TCanvas::TextOut(int X, int Y, const AnsiString& text)
{
    // Measured once: owner-drawn lists put out every row's text through here while they paint.
    int width = -1;
    WithPainter([&](QPainter& painter) {
        QFont font = FFont.ToQFont();
        QFontMetrics metrics(font, painter.device());
        QString qtext = ToQString(text);
        width = metrics.horizontalAdvance(qtext);
        FillBackground(painter, Bounds(X, Y, width, metrics.height()));
        painter.setFont(font);
        painter.setPen(ToQColor(FFont.Color()));
        painter.drawText(QPoint(X, Y + metrics.ascent()), qtext);
    });
    FPenPos = Point(X + (width < 0 ? TextWidth(text) : width), Y);
}

void TCanvas::TextRect(const TRect& rect, int X, int Y, const AnsiString& text)
{
    WithPainter([&](QPainter& painter) {
        FillBackground(painter, rect);
        QFont font = FFont.ToQFont();
        QFontMetrics metrics(font, painter.device());
        painter.setClipRect(ToQRect(rect));
        painter.setFont(font);
        painter.setPen(ToQColor(FFont.Color()));
        painter.drawText(QPoint(X, Y + metrics.ascent()), ToQString(text));
    });
}

void TCanvas::FillRect(const TRect& rect)
{
    WithPainter([&](QPainter& painter) { FillBackground(painter, rect); });
}

void TCanvas::FrameRect(const TRect& rect)
{
    WithPainter([&](QPainter& painter) {
        painter.setPen(ToQColor(FBrush.Color()));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
    });
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    WithPainter([&](QPainter& painter) {
        FillBackground(painter, Rect(left, top, right, bottom));
        if (FPen.Style() == psClear)
            return;
        painter.setPen(QPen(ToQColor(FPen.Color()), FPen.Width()));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    });
}

void TCanvas::LineTo(int X, int Y)
{
    WithPainter([&](QPainter& painter) {
        if (FPen.Style() == psClear)
            return;
        painter.setPen(QPen(ToQColor(FPen.Color()), FPen.Width()));
        painter.drawLine(FPenPos.X, FPenPos.Y, X, Y);
    });
    FPenPos = Point(X, Y);
}

void TCanvas::Draw(int X, int Y, const TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty())
        return;
    WithPainter([&](QPainter& painter) { painter.drawImage(QPoint(X, Y), bitmap->Image()); });
}

int TCanvas::TextWidth(const AnsiString& text) const
{
    QFontMetrics metrics(FFont.ToQFont(), FPainter ? FPainter->device() : FDevice);
    return metrics.horizontalAdvance(ToQString(text));
}

int TCanvas::TextHeight(const AnsiString& text) const
{
    (void)text;
    QFontMetrics metrics(FFont.ToQFont(), FPainter ? FPainter->device() : FDevice);
    return metrics.height();
}

void TCanvas::DrawWidget(QWidget* widget, int X, int Y)
{
    if (!widget)
        return;
    WithPainter([&](QPainter& painter) {
        // The painter's own origin, so that the widget lands where asked on a borrowed painter too.
        painter.translate(X, Y);
        widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    });
}
