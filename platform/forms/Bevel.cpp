#include "platform/forms/Bevel.h"
#include <QFrame>

TBevel::TBevel(TComponent* owner) : TControl(owner)
{
    auto* frame = new QFrame();
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    SetWidget(frame);
    frame->resize(50, 50);
}
