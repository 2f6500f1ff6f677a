#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include "FormsFixture.h"
#include "platform/forms/Form.h"
#include "platform/forms/PaintBox.h"
#include "platform/forms/Panel.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/ScrollBox.h"

TEST_F(FormsTest, ScrollBoxAreaCoversTheViewAndTheRanges)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* box = new TScrollBox(&form);
    box->SetParent(&form);
    box->SetAlign(alClient);
    form.Show();
    Flush();
    QWidget* area = box->ClientWidget();
    EXPECT_EQ(area->width(), box->ClientWidth());
    EXPECT_EQ(area->height(), box->ClientHeight());
    int fullWidth = box->ClientWidth();

    // Only the height overflows, so the vertical bar takes its width from the view.
    box->SetVertRange(1000);
    Flush();
    EXPECT_EQ(area->height(), 1000);
    EXPECT_LT(box->ClientWidth(), fullWidth);
    EXPECT_EQ(area->width(), box->ClientWidth());
    box->SetVertPosition(100000);
    EXPECT_EQ(box->VertPosition(), 1000 - box->ClientHeight());
    box->SetHorzPosition(50);
    EXPECT_EQ(box->HorzPosition(), 0);

    // A child on the area moves with it.
    auto* paper = new TPanel(&form);
    paper->SetParent(box);
    paper->SetBounds(10, 900, 50, 50);
    EXPECT_EQ(paper->Widget()->parentWidget(), area);
    EXPECT_EQ(paper->Widget()->mapTo(area->parentWidget(), QPoint(0, 0)).y(), 900 - box->VertPosition());

    box->SetHorzRange(2000);
    box->SetVertRange(0);
    Flush();
    EXPECT_EQ(area->width(), 2000);
    EXPECT_EQ(area->height(), box->ClientHeight());
    box->SetHorzRange(-5);
    Flush();
    EXPECT_EQ(box->HorzRange(), 0);
    EXPECT_EQ(area->width(), box->ClientWidth());

    form.SetBounds(0, 0, 600, 500);
    Flush();
    EXPECT_EQ(area->width(), box->ClientWidth());
    EXPECT_EQ(area->height(), box->ClientHeight());
}

TEST_F(FormsTest, ProgressBarKeepsItsPositionWithinItsRange)
{
    TProgressBar bar(nullptr);
    bar.SetMax(10);
    bar.SetStep(4);
    bar.StepIt();
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 8);
    bar.StepIt(); // past Max it starts again
    EXPECT_EQ(bar.Position(), 0);
    bar.SetPosition(50);
    EXPECT_EQ(bar.Position(), 10);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetPosition(9);
    bar.SetMax(6);
    EXPECT_EQ(bar.Position(), 6);
    bar.SetMin(8); // a range upside down holds the bar at Min
    EXPECT_EQ(bar.Position(), 8);
    bar.SetStep(2147483647);
    bar.SetMin(0);
    bar.SetMax(10);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(FormsTest, PaintBoxShowsWhatItsHandlerDraws)
{
    TForm form(nullptr);
    auto* box = new TPaintBox(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, 40, 30);
    int paints = 0;
    box->OnPaint = [&](TObject* sender) {
        ++paints;
        EXPECT_EQ(sender, box);
        EXPECT_NE(box->Painter(), nullptr);
        box->Canvas()->Brush()->SetColor(clRed);
        box->Canvas()->FillRect(Rect(10, 10, 20, 20));
    };
    QImage image = box->Widget()->grab().toImage();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(box->Painter(), nullptr);
    EXPECT_EQ(QColor(image.pixel(15, 15)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(25, 25)), QColor(Qt::red));
}
