#include "platform/forms/Image.h"
#include <QEvent>
#include <QPainter>
#include <QWidget>

TImage::TImage(TComponent* owner) : TControl(owner)
{
    SetWidget(new QWidget());
    Widget()->resize(105, 105);
}

void TImage::SetPicture(const TBitmap& bitmap)
{
    FPicture.Assign(bitmap);
    Invalidate();
}

void TImage::SetCenter(bool center)
{
    FCenter = center;
    Invalidate();
}

void TImage::SetStretch(bool stretch)
{
    FStretch = stretch;
    Invalidate();
}

bool TImage::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget() && event->type() == QEvent::Paint && !FPicture.Empty()) {
        QPainter painter(Widget());
        const QImage& image = FPicture.Image();
        QRect area = Widget()->rect();
        if (FStretch)
            painter.drawImage(area, image);
        else if (FCenter)
            painter.drawImage(QPoint((area.width() - image.width()) / 2, (area.height() - image.height()) / 2), image);
        else
            painter.drawImage(QPoint(0, 0), image);
        return true;
    }
    return TControl::widget_event(watched, event);
}
