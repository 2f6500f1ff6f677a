#include "alarms/UpDown.h"
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include "platform/core/SysUtils.h"
#include "platform/forms/Edit.h"
#include "platform/messages/Application.h"

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

} // namespace

TUpDownButtons::TUpDownButtons(TComponent* owner) : TWinControl(owner)
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

void TUpDownButtons::SetRange(int min, int max)
{
    FMin = min;
    FMax = std::max(min, max);
    FPosition = std::clamp(FPosition, FMin, FMax);
}

int TUpDownButtons::Position() const
{
    if (!FAssociate)
        return FPosition;
    int value = 0;
    if (!TryStrToInt(Trim(FAssociate->Text()), value))
        return FMin;
    return std::clamp(value, FMin, FMax);
}

void TUpDownButtons::SetPosition(int position)
{
    FPosition = std::clamp(position, FMin, FMax);
    if (FAssociate)
        FAssociate->SetText(IntToStr(FPosition));
}

void TUpDownButtons::Step(int delta)
{
    SetPosition(Position() + delta);
}
