#include "platform/forms/StatusBar.h"
#include <QEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>
#include "platform/forms/QtText.h"

void TStatusPanel::SetText(const AnsiString& text)
{
    if (text == FText)
        return;
    FText = text;
    FBar->Invalidate();
}

void TStatusPanel::SetWidth(int width)
{
    FWidth = std::max(0, width);
    FBar->Invalidate();
}

void TStatusPanel::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    FBar->Invalidate();
}

TStatusPanel* TStatusPanels::Add()
{
    FPanels.push_back(std::unique_ptr<TStatusPanel>(new TStatusPanel(FBar, Count())));
    FBar->Invalidate();
    return FPanels.back().get();
}

void TStatusPanels::Clear()
{
    FPanels.clear();
    FBar->Invalidate();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    SetWidget(new QWidget());
    Widget()->resize(200, 19);
    SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool simple)
{
    FSimplePanel = simple;
    Invalidate();
}

void TStatusBar::SetSimpleText(const AnsiString& text)
{
    FSimpleText = text;
    Invalidate();
}

bool TStatusBar::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget() && event->type() == QEvent::Paint) {
        Paint();
        return true;
    }
    return TWinControl::widget_event(watched, event);
}

void TStatusBar::Paint()
{
    QWidget* widget = Widget();
    QPainter painter(widget);
    painter.fillRect(widget->rect(), widget->palette().color(QPalette::Window));
    painter.setPen(widget->palette().color(QPalette::WindowText));
    auto drawPanel = [&](QRect box, const AnsiString& text, TAlignment alignment) {
        QStyleOptionFrame frame;
        frame.rect = box;
        frame.palette = widget->palette();
        frame.state = QStyle::State_Sunken;
        frame.lineWidth = 1;
        widget->style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, widget);
        Qt::Alignment horizontal = alignment == taCenter ? Qt::AlignHCenter
                                   : alignment == taRightJustify ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
        painter.drawText(box.adjusted(3, 0, -3, 0), horizontal | Qt::AlignVCenter, ToQString(text));
    };
    if (FSimplePanel) {
        drawPanel(widget->rect().adjusted(0, 2, 0, 0), FSimpleText, taLeftJustify);
        return;
    }
    int left = 0;
    for (int i = 0; i < FPanels.Count(); ++i) {
        TStatusPanel* panel = FPanels.Items(i);
        bool last = i == FPanels.Count() - 1;
        int width = last ? std::max(panel->Width(), widget->width() - left) : panel->Width();
        drawPanel(QRect(left, 2, width - 2, widget->height() - 2), panel->Text(), panel->Alignment());
        left += width;
    }
}
