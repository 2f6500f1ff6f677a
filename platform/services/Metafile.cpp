#include "platform/services/Metafile.h"
#include <QFontMetricsF>
#include <QPainter>
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtText.h"

QFont MetafileQFont(const MetafileFont& recorded)
{
    TFont font;
    font.SetName(recorded.Name);
    font.SetHeight(recorded.Height);
    font.SetStyle(recorded.Style);
    QFont qfont = font.ToQFont();
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

struct RecordPlayer {
    QPainter& painter;

    void operator()(const MetafileText& text) const
    {
        QFont font = MetafileQFont(text.Font);
        QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(ToQColor(text.Font.Color));
        painter.drawText(QPointF(text.X, text.Y + metrics.ascent()), ToQString(text.Text));
    }

    void operator()(const MetafileLine& line) const
    {
        if (line.Style == psClear)
            return;
        painter.setPen(QPen(ToQColor(line.Color), line.Width, ToQtPenStyle(line.Style), Qt::FlatCap));
        painter.drawLine(QPointF(line.From.X, line.From.Y), QPointF(line.To.X, line.To.Y));
    }

    void operator()(const MetafileRectangle& rect) const
    {
        const TRect& r = rect.Bounds;
        if (rect.Filled)
            painter.fillRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), ToQColor(rect.FillColor));
        if (!rect.Framed || rect.PenStyle == psClear)
            return;
        painter.setPen(QPen(ToQColor(rect.PenColor), rect.PenWidth, ToQtPenStyle(rect.PenStyle)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    }
};

} // namespace

void TMetafile::Draw(QPainter& painter, int x, int y) const
{
    if (!Empty())
        Play(painter, QRectF(x, y, FWidth, FHeight));
}

void TMetafile::Play(QPainter& painter, const QRectF& target) const
{
    if (FWidth <= 0 || FHeight <= 0)
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / FWidth, target.height() / FHeight);
    RecordPlayer player{painter};
    for (const MetafileRecord& record : FRecords)
        std::visit(player, record);
    painter.restore();
}
