#include "platform/forms/Label.h"
#include "platform/forms/WinControl.h"
#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

// Draws its text as the system's labels do: '&' marks the accelerator unless told otherwise.
class LabelWidget : public QWidget {
public:
    const QString& Text() const { return FText; }
    void SetText(const QString& text) { FText = text; Changed(); }
    void SetWordWrap(bool wordWrap) { FWordWrap = wordWrap; Changed(); }
    void SetAlignment(Qt::Alignment alignment) { FAlignment = alignment; Changed(); }
    void SetShowAccelChar(bool show) { FShowAccelChar = show; Changed(); }

    QSize sizeHint() const override { return TextBounds(QWIDGETSIZE_MAX).size(); }
    QSize minimumSizeHint() const override { return QSize(0, 0); }
    bool hasHeightForWidth() const override { return FWordWrap; }
    int heightForWidth(int width) const override { return TextBounds(width).height(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        style()->drawItemText(&painter, rect(), Flags(), palette(), isEnabled(), FText, foregroundRole());
    }

private:
    int Flags() const
    {
        return static_cast<int>(FAlignment) | (FWordWrap ? Qt::TextWordWrap : 0) |
               (FShowAccelChar ? Qt::TextShowMnemonic : 0);
    }
    // An empty caption (or a lone '&') measures as a blank, so the label keeps a line's height.
    QRect TextBounds(int width) const
    {
        bool blank = FText.isEmpty() || (FShowAccelChar && FText == QStringLiteral("&"));
        return fontMetrics().boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), Flags(), blank ? FText + ' ' : FText);
    }
    void Changed()
    {
        updateGeometry();
        update();
    }

    QString FText;
    Qt::Alignment FAlignment = Qt::AlignLeft | Qt::AlignTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};

TLabel::TLabel(TComponent* owner) : TControl(owner), FLabel(new LabelWidget())
{
    SetWidget(FLabel);
    FLabel->resize(65, 13);
}

void TLabel::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FLabel->SetText(ToQString(caption));
    UpdateAccelerator();
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
    FLabel->SetWordWrap(wordWrap);
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
    FLabel->SetAlignment(horizontal | Qt::AlignTop);
}

void TLabel::SetShowAccelChar(bool show)
{
    FShowAccelChar = show;
    FLabel->SetShowAccelChar(show);
    UpdateAccelerator();
    AdjustSize();
}

void TLabel::SetFocusControl(TWinControl* control)
{
    FFocusControl = control;
    if (control)
        control->FreeNotification(this);
    UpdateAccelerator();
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl) {
        FFocusControl = nullptr;
        UpdateAccelerator();
    }
}

// The accelerator is a shortcut of the label's window, taken only while it leads somewhere.
void TLabel::UpdateAccelerator()
{
    if (FShortcutId != 0)
        FLabel->releaseShortcut(FShortcutId);
    FShortcutId = 0;
    QKeySequence key = QKeySequence::mnemonic(FLabel->Text());
    if (FFocusControl && FShowAccelChar && !key.isEmpty())
        FShortcutId = FLabel->grabShortcut(key);
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
    if (watched == Widget() && event->type() == QEvent::Shortcut) {
        if (FFocusControl && FFocusControl->CanFocus())
            Dispatch([this] { FFocusControl->SetFocus(); });
        return true;
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
