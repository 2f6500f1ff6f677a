#include "platform/forms/ProgressBar.h"
#include <QProgressBar>
#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner), FBar(new QProgressBar())
{
    FBar->setTextVisible(false);
    SetWidget(FBar);
    SetTabStop(false);
    FBar->resize(150, 16);
    ShowValue();
}

void TProgressBar::SetMin(int min)
{
    FMin = min;
    FPosition = std::clamp(FPosition, FMin, std::max(FMin, FMax));
    ShowValue();
}

void TProgressBar::SetMax(int max)
{
    FMax = max;
    FPosition = std::clamp(FPosition, std::min(FMin, FMax), FMax);
    ShowValue();
}

void TProgressBar::SetPosition(int position)
{
    FPosition = std::clamp(position, FMin, std::max(FMin, FMax));
    ShowValue();
}

void TProgressBar::StepIt()
{
    long long next = static_cast<long long>(FPosition) + FStep;
    FPosition = next > FMax ? FMin : static_cast<int>(next);
    ShowValue();
}

void TProgressBar::ShowValue()
{
    FBar->setRange(FMin, std::max(FMin, FMax));
    FBar->setValue(FPosition);
}
