#include "platform/forms/Panel.h"
#include <QFrame>
#include <QPainter>
#include <QPaintEvent>
#include "platform/forms/QtText.h"

TPanel::TPanel(TComponent* owner) : TWinControl(owner), FFrame(new QFrame())
{
    SetWidget(FFrame);
    SetBevelOuter(bvRaised);
    FFrame->resize(185, 41);
}

void TPanel::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FFrame->update();
}

void TPanel::SetBevelOuter(TPanelBevel bevel)
{
    FBevelOuter = bevel;
    FFrame->setFrameStyle(bevel == bvNone ? QFrame::NoFrame : QFrame::Panel | (bevel == bvRaised ? QFrame::Raised : QFrame::Sunken));
}

bool TPanel::widget_event(QObject* watched, QEvent* event)
{
    if (watched == FFrame && event->type() == QEvent::Paint && !FCaption.empty()) {
        // The frame paints itself first; the caption sits centred on top.
        QPainter painter(FFrame);
        painter.drawText(FFrame->rect(), Qt::AlignCenter, ToQString(FCaption));
    }
    return TWinControl::widget_event(watched, event);
}
