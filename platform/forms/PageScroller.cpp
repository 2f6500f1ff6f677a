#include "platform/forms/PageScroller.h"
#include <QEvent>
#include <QToolButton>
#include <QWidget>

TPageScroller::TPageScroller(TComponent* owner) : TWinControl(owner)
{
    auto* frame = new QWidget();
    FView = new QWidget(frame);
    FUp = new QToolButton(frame);
    FDown = new QToolButton(frame);
    for (QToolButton* button : {FUp, FDown}) {
        button->setAutoRepeat(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    QObject::connect(FUp, &QToolButton::clicked, [this] { SetPosition(FPosition - FButtonSize); });
    QObject::connect(FDown, &QToolButton::clicked, [this] { SetPosition(FPosition + FButtonSize); });
    SetWidget(frame);
    WatchWidget(FView);
    frame->resize(150, 45);
}

QWidget* TPageScroller::ClientWidget() const
{
    return FView;
}

void TPageScroller::SetControl(TWinControl* control)
{
    if (FControl)
        FControl->RemoveFreeNotification(this);
    FControl = control;
    if (control) {
        control->FreeNotification(this);
        control->SetParent(this);
    }
    FPosition = 0;
    Layout();
}

void TPageScroller::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FControl)
        FControl = nullptr;
}

void TPageScroller::SetButtonSize(int size)
{
    FButtonSize = std::max(1, size);
    Layout();
}

void TPageScroller::SetPosition(int position)
{
    FPosition = position;
    Layout();
}

void TPageScroller::AlignControls()
{
    Layout();
}

bool TPageScroller::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget() && event->type() == QEvent::Resize)
        Layout();
    return TWinControl::widget_event(watched, event);
}

// The control fills the scroller's width; while it is taller than the scroller the arrows show
// and it moves by Position.
void TPageScroller::Layout()
{
    QWidget* frame = Widget();
    if (!frame || !FView)
        return;
    int width = frame->width();
    int height = frame->height();
    int content = FControl && FControl->Widget() ? FControl->Height() : 0;
    bool scrolls = content > height;
    int button = scrolls ? FButtonSize : 0;
    FUp->setVisible(scrolls);
    FDown->setVisible(scrolls);
    FUp->setGeometry(0, 0, width, button);
    FDown->setGeometry(0, height - button, width, button);
    int viewHeight = std::max(0, height - 2 * button);
    FView->setGeometry(0, button, width, viewHeight);
    FPosition = std::clamp(FPosition, 0, std::max(0, content - viewHeight));
    FUp->setEnabled(FPosition > 0);
    FDown->setEnabled(FPosition < content - viewHeight);
    if (FControl && FControl->Widget())
        FControl->Widget()->setGeometry(0, -FPosition, width, content);
}
