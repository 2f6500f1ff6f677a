#include "platform/forms/ScrollBox.h"
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner), FArea(new QScrollArea()), FScrolled(new QWidget())
{
    FArea->setWidgetResizable(false);
    FArea->setWidget(FScrolled);
    SetWidget(FArea);
    WatchWidget(FArea->viewport());
    WatchWidget(FScrolled);
    FArea->resize(185, 41);
    SizeScrolledArea();
}

QWidget* TScrollBox::ClientWidget() const
{
    return FScrolled;
}

int TScrollBox::ClientWidth() const
{
    return FArea->viewport()->width();
}

int TScrollBox::ClientHeight() const
{
    return FArea->viewport()->height();
}

void TScrollBox::SetHorzRange(int range)
{
    FHorzRange = std::max(0, range);
    SizeScrolledArea();
}

void TScrollBox::SetVertRange(int range)
{
    FVertRange = std::max(0, range);
    SizeScrolledArea();
}

int TScrollBox::HorzPosition() const { return FArea->horizontalScrollBar()->value(); }
void TScrollBox::SetHorzPosition(int position) { FArea->horizontalScrollBar()->setValue(position); }
int TScrollBox::VertPosition() const { return FArea->verticalScrollBar()->value(); }
void TScrollBox::SetVertPosition(int position) { FArea->verticalScrollBar()->setValue(position); }

void TScrollBox::SetScrollIncrement(int pixels)
{
    FArea->horizontalScrollBar()->setSingleStep(pixels);
    FArea->verticalScrollBar()->setSingleStep(pixels);
}

// The scroll bars appear only for a range larger than the view; without them the view grows,
// which can make a bar unnecessary again, so the size is settled against the final view.
void TScrollBox::SizeScrolledArea()
{
    QSize view = FArea->maximumViewportSize();
    bool horizontal = FHorzRange > view.width();
    bool vertical = FVertRange > view.height();
    int barWidth = FArea->verticalScrollBar()->sizeHint().width();
    int barHeight = FArea->horizontalScrollBar()->sizeHint().height();
    if (vertical && !horizontal)
        horizontal = FHorzRange > view.width() - barWidth;
    if (horizontal && !vertical)
        vertical = FVertRange > view.height() - barHeight;
    int width = view.width() - (vertical ? barWidth : 0);
    int height = view.height() - (horizontal ? barHeight : 0);
    FScrolled->resize(std::max(FHorzRange, width), std::max(FVertRange, height));
}

bool TScrollBox::widget_event(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == FArea->viewport())
        SizeScrolledArea();
    return TWinControl::widget_event(watched, event);
}
