#include "PrintingFixture.h"
#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <climits>
#include <cmath>
#include "platform/forms/PaintBox.h"

TEST_F(PrintingTest, ThePreviewShowsThePaperAtItsRealSize)
{
    PP->SetZoomPercent(100);
    PP->SetShadowOffset(0);
    // A4 at 300 dpi (about 2480 x 3508 pixels) on a 96-dpi screen: 210 x 297 mm there too.
    TPrinterDeviceCaps caps = Printer()->DeviceCaps();
    int width = static_cast<int>(std::lround(caps.PhysicalWidth * 96 / 300.0));
    int height = static_cast<int>(std::lround(caps.PhysicalHeight * 96 / 300.0));
    EXPECT_NEAR(width, 210 / 25.4 * 96, 1);
    EXPECT_NEAR(height, 297 / 25.4 * 96, 1);
    EXPECT_EQ(PP->PreviewPageWidth(), width);
    EXPECT_EQ(PP->PreviewPageHeight(), height);
    EXPECT_EQ(PP->HorzRange(), width + 2);
    EXPECT_EQ(PP->VertRange(), height + 2);
    PP->SetShadowOffset(5);
    EXPECT_EQ(PP->HorzRange(), width + 12);
    PP->SetZoomPercent(50);
    EXPECT_EQ(PP->PreviewPageWidth(), static_cast<int>(std::lround(caps.PhysicalWidth * 48 / 300.0)));
}

TEST_F(PrintingTest, ThePreviewDrawsTheRecordedPageScaledOntoThePaper)
{
    PP->SetZoomPercent(100);
    PP->SetShadowOffset(0);
    PP->SetGradientBackground(false);
    PP->SetShowMargins(false);
    PP->SetMarginLeft(20);
    PP->SetMarginTop(20);
    PP->Font()->SetSize(24);
    PP->BeginDoc();
    PP->WriteLine("MMMM");
    PP->EndDoc();
    int textWidth = PP->Canvas()->TextWidth("MMMM");

    QWidget* view = PP->Widget();
    view->resize(900, 1300);
    view->show();
    QCoreApplication::processEvents();
    QImage image = PP->PreviewBox()->Widget()->grab().toImage();
    int paperWidth = PP->PreviewPageWidth();
    int paperHeight = PP->PreviewPageHeight();
    ASSERT_GE(image.width(), paperWidth);
    ASSERT_GE(image.height(), paperHeight);
    int paperLeft = (image.width() - paperWidth) / 2;
    int paperTop = (image.height() - paperHeight) / 2;
    EXPECT_EQ(image.pixelColor(paperLeft + 400, paperTop + 600), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(paperLeft, paperTop + 600), QColor(Qt::black)); // the paper's edge

    // The dark pixels inside the paper are the text, 20 mm from the paper's corner at 96 dpi.
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    for (int y = paperTop + 2; y < paperTop + paperHeight - 2; ++y)
        for (int x = paperLeft + 2; x < paperLeft + paperWidth - 2; ++x)
            if (image.pixelColor(x, y).lightness() < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no text on the previewed paper";
    int margin = static_cast<int>(std::lround(20 / 25.4 * 96));
    EXPECT_NEAR(left, paperLeft + margin, 3);
    EXPECT_NEAR(right, paperLeft + margin + textWidth * 96 / 300, 4);
    EXPECT_GE(top, paperTop + margin);
    EXPECT_LE(bottom, paperTop + margin + std::abs(PP->Canvas()->Font()->Height()) * 96 / 300 + 2);
    view->hide();
}

TEST_F(PrintingTest, OnlyStoredPagesCanBeShown)
{
    PP->BeginDoc();
    PP->NewPage();
    PP->EndDoc();
    EXPECT_EQ(PP->PageNumber(), 1u);
    PP->SetPageNumber(2);
    EXPECT_EQ(PP->PageNumber(), 2u);
    for (unsigned page : {0u, 3u}) {
        try {
            PP->SetPageNumber(page);
            ADD_FAILURE() << page;
        } catch (const EPagePrinter& error) {
            EXPECT_EQ(error.Message, "PageNumber must be between 1 and 2");
        }
    }
    EXPECT_EQ(PP->PageNumber(), 2u);
}

// With no printer at all, layout goes on with a notional 300-dpi printer and only printing fails.
TEST_F(PrintingTest, WithoutAPrinterLayoutUsesANotionalOne)
{
    Printer()->SetOutputFileName("");
    if (Printer()->HasPrinter())
        GTEST_SKIP() << "this machine has a default print queue";
    EXPECT_EQ(PP->PaperWidth(), 210);
    EXPECT_EQ(PP->MinMarginTop(), 6);
    EXPECT_EQ(PP->PrintablePaperHeight(), 284);
    PP->SetMeasureUnit(muInches);
    EXPECT_EQ(PP->PaperHeight(), 11);
    EXPECT_EQ(PP->PrintablePaperWidth(), 8.0);
    EXPECT_EQ(PP->UnitsToPixelsX(1), 300);
    PP->SetOrientation(poLandscape);
    EXPECT_EQ(PP->Orientation(), poPortrait);
    PP->SetZoomPercent(100);
    EXPECT_EQ(PP->PreviewPageWidth(), 816);

    PP->BeginDoc();
    PP->WriteLine("rivi");
    PP->EndDoc();
    EXPECT_EQ(PP->PageCount(), 1u);
    try {
        PP->Print();
        ADD_FAILURE() << "printed without a printer";
    } catch (const EPrinter& error) {
        EXPECT_EQ(error.Message, "There is no default printer currently selected");
    }
    EXPECT_EQ(PP->ProgressDialog(), nullptr);
}
