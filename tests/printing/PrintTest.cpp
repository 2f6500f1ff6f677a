#include "PrintingFixture.h"

TEST_F(PrintingTest, PagesReachThePdfWithTheirText)
{
    PP->SetMarginTop(25);
    PP->SetTitle("Otsikko");
    PP->SetFriendlyHeader("&i");
    PP->BeginDoc();
    PP->WriteLine("Hälytykset €"_a);
    PP->NewPage();
    PP->WriteLine("Toinen sivu");
    PP->EndDoc();
    EXPECT_TRUE(PP->Print());
    EXPECT_EQ(PdfPageCount(), 2);
    EXPECT_NE(PdfPageText(1).find("Hälytykset €"), std::string::npos);
    EXPECT_NE(PdfPageText(2).find("Toinen sivu"), std::string::npos);
}
