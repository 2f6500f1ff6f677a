#include "PrintingFixture.h"
#include <QAbstractButton>
#include <QTimer>
#include "printing/PrintProgress.h"

namespace {

// Watches a print run from the message loop that the run turns between pages: what the
// progress dialog shows, and what the test does meanwhile.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(TPagePrinter* printer) : FPrinter(printer)
    {
        qApp->installEventFilter(this);
        connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
        FTimer.start(0);
    }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }

    std::vector<AnsiString> PageLines;
    std::vector<int> Maxima;
    int Shows = 0;
    int ShownClientHeight = 0;
    bool ShownWithCancel = false;
    AnsiString ShownCaption;
    std::function<void(TPPPrnPrgDlg* dialog)> OnTick;

    static void PressCancel(TPPPrnPrgDlg* dialog) { static_cast<QAbstractButton*>(dialog->btnCancel->Widget())->click(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = dynamic_cast<TPPPrnPrgDlg*>(TControl::FromWidget(watched)))
                if (watched == dialog->Widget()) {
                    ++Shows;
                    ShownClientHeight = dialog->ClientHeight();
                    ShownWithCancel = dialog->btnCancel->Visible();
                    ShownCaption = dialog->Caption();
                }
        return false;
    }

private:
    void Tick()
    {
        TPPPrnPrgDlg* dialog = FPrinter->ProgressDialog();
        if (!dialog)
            return;
        PageLines.push_back(dialog->lblPageNumber->Caption());
        Maxima.push_back(dialog->ProgBar->Max());
        if (OnTick)
            OnTick(dialog);
    }

    TPagePrinter* FPrinter;
    QTimer FTimer;
};

} // namespace

class PrintRunTest : public PrintingTest {
protected:
    // A document of `pages` pages, each saying which it is.
    void Compose(int pages)
    {
        PP->SetMarginTop(25);
        PP->SetTitle("Hälytykset"_a);
        PP->SetFriendlyHeader("&i");
        PP->BeginDoc();
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                PP->NewPage();
            PP->WriteLine("Sivu " + std::to_string(page));
        }
        PP->EndDoc();
    }
    // Which document page each printed page is.
    std::vector<int> PrintedPages() const
    {
        std::vector<int> order;
        for (int page = 1; page <= PdfPageCount(); ++page) {
            std::string text = PdfPageText(page);
            std::size_t at = text.find("Sivu ");
            order.push_back(at == std::string::npos ? 0 : std::atoi(text.c_str() + at + 5));
        }
        return order;
    }
};

TEST_F(PrintRunTest, PagesReachThePdfWithTheirText)
{
    PP->SetMarginTop(25);
    PP->SetTitle("Otsikko");
    PP->SetFriendlyHeader("&i");
    PP->BeginDoc();
    PP->WriteLine("Hälytykset €"_a);
    PP->NewPage();
    PP->WriteLine("Toinen sivu");
    // Print ends the open document first.
    EXPECT_TRUE(PP->Print());
    EXPECT_FALSE(PP->IsPrinting());
    ASSERT_EQ(PdfPageCount(), 2);
    std::string first = PdfPageText(1);
    EXPECT_NE(first.find("Otsikko"), std::string::npos);
    EXPECT_NE(first.find("Hälytykset €"), std::string::npos);
    EXPECT_EQ(first.find("Toinen"), std::string::npos);
    EXPECT_NE(PdfPageText(2).find("Toinen sivu"), std::string::npos);
    EXPECT_NE(PdfInfo().find("Page size:       595 x 842 pts (A4)"), std::string::npos);
}

TEST_F(PrintRunTest, NothingIsSentWithoutPages)
{
    EXPECT_TRUE(PP->Print());
    EXPECT_FALSE(PdfExists());
}

TEST_F(PrintRunTest, CopiesAreCollatedOrGroupedAndCounted)
{
    Compose(3);
    PP->SetCopies(2);
    {
        ProgressWatch watch(PP);
        EXPECT_TRUE(PP->Print());
        EXPECT_EQ(PrintedPages(), (std::vector<int>{1, 2, 3, 1, 2, 3}));
        EXPECT_EQ(watch.Shows, 1);
        EXPECT_EQ(watch.ShownCaption, "Hälytykset"_a);
        ASSERT_FALSE(watch.PageLines.empty());
        EXPECT_EQ(watch.PageLines.front(), "Page 1 of 3 x 2 Copies");
        EXPECT_NE(std::find(watch.PageLines.begin(), watch.PageLines.end(), "Page 2 of 3 x 2 Copies"), watch.PageLines.end());
        EXPECT_EQ(watch.Maxima.front(), 6);
        EXPECT_EQ(PP->ProgressDialog(), nullptr);
    }
    PP->Collate = false;
    EXPECT_TRUE(PP->Print());
    EXPECT_EQ(PrintedPages(), (std::vector<int>{1, 1, 2, 2, 3, 3}));
    // The pages survive printing and can be printed again.
    EXPECT_EQ(PP->PageCount(), 3u);
}

TEST_F(PrintRunTest, APageRangeLeavesOutTheOtherPages)
{
    Compose(5);
    PP->SetPrintToPage(9);
    PP->SetPrintFromPage(2);
    ProgressWatch watch(PP);
    EXPECT_TRUE(PP->Print());
    EXPECT_EQ(PrintedPages(), (std::vector<int>{2, 3, 4, 5}));
    // Without the first page the line gives no total.
    EXPECT_EQ(watch.PageLines, (std::vector<AnsiString>{"Page 2", "Page 3", "Page 4"}));
    EXPECT_EQ(watch.Maxima.front(), 4);
}

TEST_F(PrintRunTest, PageRangeSettersKeepTheRangeInOrder)
{
    PP->SetPrintToPage(4);
    PP->SetPrintFromPage(6);
    EXPECT_EQ(PP->PrintToPage(), 6u);
    PP->SetPrintToPage(2);
    EXPECT_EQ(PP->PrintFromPage(), 2u);
    // The end page is compared as it stands: 0 pulls the start down to 0 as well.
    PP->SetPrintToPage(0);
    EXPECT_EQ(PP->PrintFromPage(), 0u);
}

TEST_F(PrintRunTest, AStartPageWithoutAnEndPrintsThatPageOnly)
{
    Compose(5);
    PP->SetPrintFromPage(3);
    EXPECT_EQ(PP->PrintToPage(), 3u);
    EXPECT_TRUE(PP->Print());
    EXPECT_EQ(PrintedPages(), (std::vector<int>{3}));
}

TEST_F(PrintRunTest, CancelStopsBeforeTheNextPageAndEndsTheJob)
{
    Compose(5);
    Printer()->SetCopies(3);
    TForm other(nullptr);
    other.Show();
    std::vector<bool> otherEnabled;
    ProgressWatch watch(PP);
    watch.OnTick = [&](TPPPrnPrgDlg* dialog) {
        otherEnabled.push_back(other.Widget()->isEnabled());
        EXPECT_TRUE(dialog->Widget()->isEnabled());
        if (dialog->lblPageNumber->Caption() == "Page 1 of 5")
            ProgressWatch::PressCancel(dialog);
    };
    EXPECT_FALSE(PP->Print());
    EXPECT_EQ(PP->ProgressDialog(), nullptr);
    EXPECT_EQ(PrintedPages(), (std::vector<int>{1}));
    EXPECT_EQ(otherEnabled, (std::vector<bool>{false}));
    EXPECT_TRUE(other.Widget()->isEnabled());
    EXPECT_EQ(Printer()->Copies(), 3);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(Printer()->Aborted()) << "the job was ended, not thrown away";

    // With AbortOnCancel the job is thrown away.
    PP->AbortOnCancel = true;
    std::filesystem::remove(Pdf);
    EXPECT_FALSE(PP->Print());
    EXPECT_FALSE(PdfExists());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(Printer()->Aborted());
    EXPECT_EQ(PP->ProgressDialog(), nullptr);

    // The next job starts afresh.
    watch.OnTick = nullptr;
    EXPECT_TRUE(PP->Print());
    EXPECT_FALSE(Printer()->Aborted());
    EXPECT_TRUE(PdfExists());
}

TEST_F(PrintRunTest, JobsGoToTheOutputFileNamedUntilItIsCleared)
{
    EXPECT_EQ(Printer()->OutputFileName(), Pdf);
    Compose(1);
    const std::string other = Folder + "/other.pdf";
    Printer()->SetOutputFileName(other);
    EXPECT_EQ(Printer()->OutputFileName(), other);
    EXPECT_TRUE(PP->Print());
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_FALSE(PdfExists());

    // Not while a job runs: the file named stays.
    Printer()->BeginDoc();
    try {
        Printer()->SetOutputFileName(Pdf);
        ADD_FAILURE() << "the file changed in the middle of a job";
    } catch (const EPrinter& error) {
        EXPECT_EQ(error.Message, "Printing in progress");
    }
    EXPECT_EQ(Printer()->OutputFileName(), other);
    Printer()->Abort();
    EXPECT_FALSE(std::filesystem::exists(other)) << "the thrown-away job leaves no file";

    Printer()->SetOutputFileName("");
    EXPECT_EQ(Printer()->OutputFileName(), "") << "back to the print queue";
}

TEST_F(PrintRunTest, TheDialogFollowsShowProgressAndShowCancel)
{
    Compose(2);
    PP->ShowCancel = false;
    {
        ProgressWatch watch(PP);
        EXPECT_TRUE(PP->Print());
        EXPECT_EQ(watch.Shows, 1);
        EXPECT_FALSE(watch.ShownWithCancel);
        EXPECT_EQ(watch.ShownClientHeight, 98);
        EXPECT_TRUE(watch.PageLines.empty()); // no messages are handled without a Cancel button
    }
    PP->ShowProgress = false;
    PP->ShowCancel = true;
    ProgressWatch watch(PP);
    EXPECT_TRUE(PP->Print());
    EXPECT_EQ(watch.Shows, 0);
    EXPECT_EQ(PdfPageCount(), 2);
}

TEST_F(PrintRunTest, LandscapePagesArePrintedLandscape)
{
    PP->SetOrientation(poLandscape);
    EXPECT_EQ(PP->Orientation(), poLandscape);
    EXPECT_GT(PP->PaperWidth(), PP->PaperHeight());
    Compose(1);
    EXPECT_GT(PP->PrintableWidth(), PP->PrintableHeight());
    EXPECT_TRUE(PP->Print());
    EXPECT_NE(PdfInfo().find("Page size:       842 x 595 pts (A4)"), std::string::npos);
    EXPECT_EQ(PrintedPages(), (std::vector<int>{1}));
}

TEST_F(PrintRunTest, AFailingPrinterLeavesNoJobOpen)
{
    Compose(1);
    Printer()->SetOutputFileName(Folder + "/puuttuva/out.pdf");
    EXPECT_THROW(PP->Print(), EPrinter);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(PP->ProgressDialog(), nullptr);
}
