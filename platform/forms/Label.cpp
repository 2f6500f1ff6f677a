#include "platform/forms/Label.h"
#include "platform/forms/WinControl.h"
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

TLabel::TLabel(TComponent* owner) : TControl(owner), FLabel(new QLabel())
{
    FLabel->setTextFormat(Qt::PlainText);
    FLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetWidget(FLabel);
    FLabel->resize(65, 13);
}

void TLabel::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FLabel->setText(ToQString(caption));
    AdjustSize();
}

void TLabel::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    AdjustSize();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    FWordWrap = wordWrap;
    FLabel->setWordWrap(wordWrap);
    AdjustSize();
}

void TLabel::SetTransparent(bool transparent)
{
    // A label fills its background only once it has been given a colour of its own.
    FTransparent = transparent;
    if (transparent)
        FLabel->setAutoFillBackground(false);
}

void TLabel::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    Qt::Alignment horizontal = alignment == taCenter ? Qt::AlignHCenter
                               : alignment == taRightJustify ? Qt::AlignRight
                                                             : Qt::AlignLeft;
    FLabel->setAlignment(horizontal | Qt::AlignTop);
}

void TLabel::font_changed()
{
    TControl::font_changed();
    AdjustSize();
}

void TLabel::color_changed()
{
    TControl::color_changed();
    if (FTransparent)
        FLabel->setAutoFillBackground(false);
}

void TLabel::AdjustSize()
{
    if (!FAutoSize || !FLabel)
        return;
    int width = FLabel->width();
    int height = 0;
    if (FWordWrap) {
        height = FLabel->heightForWidth(width);
        if (height < 0)
            height = FLabel->sizeHint().height();
    } else {
        QSize hint = FLabel->sizeHint();
        width = hint.width();
        height = hint.height();
    }
    SetBounds(Left(), Top(), width, height);
}

bool TLabel::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && FLabel->rect().contains(mouse->position().toPoint()))
            Dispatch([this] { Click(); });
    }
    return TControl::widget_event(watched, event);
}

TLabel* AddLabel(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top)
{
    auto* label = new TLabel(parent);
    label->SetName(name);
    label->SetParent(parent);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetCaption(caption);
    return label;
}
