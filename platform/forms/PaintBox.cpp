#include "platform/forms/PaintBox.h"
#include <QPainter>
#include <QWidget>
#include "platform/messages/Application.h"

class PaintBoxWidget : public QWidget {
public:
    explicit PaintBoxWidget(TPaintBox* box) : FBox(box) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        FBox->Paint(painter);
    }

private:
    TPaintBox* FBox;
};

TPaintBox::TPaintBox(TComponent* owner) : TControl(owner)
{
    auto* widget = new PaintBoxWidget(this);
    SetWidget(widget);
    widget->resize(105, 105);
}

void TPaintBox::Paint(QPainter& painter)
{
    if (!OnPaint)
        return;
    FPainter = &painter;
    FCanvas.BeginPaint(&painter);
    Dispatch([this] { OnPaint(this); });
    FCanvas.EndPaint();
    FPainter = nullptr;
}
