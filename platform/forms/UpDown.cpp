#include "platform/forms/UpDown.h"
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/Edit.h"

namespace {

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

// Up and Down typed in the associated edit step the up-down; it lives with the edit's widget.
class ArrowKeyFilter : public QObject {
public:
    ArrowKeyFilter(QObject* edit, TUpDown* upDown) : QObject(edit), FUpDown(upDown) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || IsInputToDisabledWidget(watched, event))
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) || key->modifiers() != Qt::NoModifier)
            return false;
        int delta = key->key() == Qt::Key_Up ? 1 : -1;
        Dispatch([&] { FUpDown->Step(delta); });
        key->accept();
        return true;
    }

private:
    TUpDown* FUpDown;
};

} // namespace

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    auto* panel = new QWidget();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = ArrowButton(panel, Qt::UpArrow);
    QToolButton* down = ArrowButton(panel, Qt::DownArrow);
    layout->addWidget(up);
    layout->addWidget(down);
    SetWidget(panel);
    SetTabStop(false);
    panel->resize(15, 21);
    QObject::connect(up, &QToolButton::clicked, [this] { Dispatch([this] { Step(1); }); });
    QObject::connect(down, &QToolButton::clicked, [this] { Dispatch([this] { Step(-1); }); });
}

TUpDown::~TUpDown()
{
    DropAssociate();
}

void TUpDown::SetAssociate(TEdit* edit)
{
    if (edit == FAssociate)
        return;
    DropAssociate();
    FAssociate = edit;
    if (!edit)
        return;
    edit->FreeNotification(this);
    if (edit->Widget()) {
        FKeyFilter = new ArrowKeyFilter(edit->Widget(), this);
        edit->Widget()->installEventFilter(FKeyFilter);
    }
}

void TUpDown::DropAssociate()
{
    delete FKeyFilter.data();
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = nullptr;
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FAssociate)
        FAssociate = nullptr;
}

int TUpDown::Clamped(int value) const
{
    return std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TUpDown::SetMin(int min)
{
    FMin = min;
    FPosition = Clamped(FPosition);
}

void TUpDown::SetMax(int max)
{
    FMax = max;
    FPosition = Clamped(FPosition);
}

int TUpDown::Position() const
{
    if (!FAssociate)
        return FPosition;
    int value = 0;
    if (!TryStrToInt(Trim(FAssociate->Text()), value))
        return FMin;
    return Clamped(value);
}

void TUpDown::SetPosition(int position)
{
    FPosition = Clamped(position);
    if (FAssociate)
        FAssociate->SetText(IntToStr(FPosition));
}

void TUpDown::Step(int delta)
{
    SetPosition(Position() + delta);
}
