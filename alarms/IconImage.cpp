#include "alarms/IconImage.h"
#include <QLabel>
#include <QPixmap>

TIconImage::TIconImage(TComponent* owner) : TControl(owner), FLabel(new QLabel())
{
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setAttribute(Qt::WA_TranslucentBackground);
    SetWidget(FLabel);
    FLabel->resize(105, 105);
}

void TIconImage::SetPicture(const TBitmap& picture)
{
    FPicture.Assign(picture);
    if (FPicture.Empty())
        FLabel->clear();
    else
        FLabel->setPixmap(QPixmap::fromImage(FPicture.Image()));
}
