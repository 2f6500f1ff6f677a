// Printing: the stored pages replayed on the printer with a page range, copies and collation,
// a progress dialog and cancelling between pages.
#include <QPainter>
#include <climits>
#include "platform/forms/DisabledWindows.h"
#include "printing/PagePrinter.h"
#include "printing/PrintProgress.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"

namespace {
constexpr const char* kFinish = "<FINISH>";
}

// A range whose ends cross is closed up on the end just written, 0 compared as the number it
// is: a first page set alone (the last page still 0) prints that page only.
void TPagePrinter::SetPrintFromPage(unsigned page)
{
    FPrintFromPage = page;
    if (FPrintFromPage > FPrintToPage)
        FPrintToPage = FPrintFromPage;
}

void TPagePrinter::SetPrintToPage(unsigned page)
{
    FPrintToPage = page;
    if (FPrintToPage < FPrintFromPage)
        FPrintFromPage = FPrintToPage;
}

// Copies are made by sending the pages again, so the printer's own copy count is 1 for the run
// and is put back afterwards, whichever way the run ends. A run that fails for any other reason
// than a cancel throws its job away, so the printer is free for the next one.
bool TPagePrinter::Print()
{
    if (IsPrinting())
        EndDoc();
    unsigned count = PageCount();
    if (count == 0)
        return true;
    unsigned first = FPrintFromPage == 0 ? 1 : std::min(FPrintFromPage, count);
    unsigned last = FPrintToPage == 0 ? count : std::min(FPrintToPage, count);

    TPrinter* printer = Printer();
    int savedCopies = printer->Copies();
    printer->SetCopies(1);
    FCancelled = false;
    bool cancelled = false;
    std::exception_ptr failure;
    try {
        printer->BeginDoc();
        if (Collate) {
            for (unsigned copy = 1; copy <= FCopies; ++copy)
                for (unsigned page = first; page <= last; ++page)
                    PrintOnePage(page, first, last, page == first && copy == 1);
        } else {
            for (unsigned page = first; page <= last; ++page)
                for (unsigned copy = 1; copy <= FCopies; ++copy)
                    PrintOnePage(page, first, last, page == first && copy == 1);
        }
        printer->EndDoc();
    } catch (const ECancelPrinting&) {
        cancelled = true;
    } catch (...) {
        failure = std::current_exception();
    }

    UpdateProgress(kFinish, 0, 0, 0);
    if (printer->Printing()) {
        if (cancelled && !AbortOnCancel)
            printer->EndDoc();
        else
            printer->Abort();
    }
    printer->SetCopies(savedCopies);
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}

// Each sheet after the first is started just before its page is drawn, so a run cancelled
// between pages leaves no blank sheet behind.
void TPagePrinter::PrintOnePage(unsigned page, unsigned fromPage, unsigned toPage, bool isFirst)
{
    if (ShowProgress && ShowCancel && Application)
        Application->ProcessMessages();
    if (FCancelled)
        throw ECancelPrinting("Printing Cancelled");
    UpdateProgress(ProgressMessage, page, fromPage, toPage);
    if (!isFirst)
        Printer()->NewPage();
    // The message loop ran meanwhile: the page is looked up again rather than kept.
    if (TMetafile* metafile = PageMetafile(page))
        metafile->Play(*Printer()->Painter(), QRectF(0, 0, metafile->Width(), metafile->Height()));
}

void TPagePrinter::UpdateProgress(const AnsiString& message, unsigned page, unsigned fromPage, unsigned toPage)
{
    if (!ShowProgress || message == kFinish) {
        CloseProgressDialog();
        return;
    }
    ShowProgressDialog();
    TPPPrnPrgDlg* dialog = FProgressDialog;
    dialog->lblStatus->SetCaption(message.empty() ? AnsiString("Sending Pages To Printer") : message);
    unsigned long long total = static_cast<unsigned long long>(FCopies) * (toPage - fromPage + 1);
    dialog->ProgBar->SetMax(static_cast<int>(std::min<unsigned long long>(total, INT_MAX)));
    dialog->ProgBar->StepIt();
    AnsiString line = "Page " + IntToStr(page);
    if (fromPage == 1) {
        line += " of " + IntToStr(toPage - fromPage + 1);
        if (FCopies > 1)
            line += " x " + IntToStr(FCopies) + " Copies";
    }
    dialog->lblPageNumber->SetCaption(line);
    if (dialog->Showing())
        dialog->Repaint();
}

// The dialog takes the other windows' input away while it is up, as a modal window would; the
// run itself turns the message loop between pages.
void TPagePrinter::ShowProgressDialog()
{
    if (!FProgressDialog) {
        FProgressDialog = new TPPPrnPrgDlg(Application);
        FProgressDialog->btnCancel->OnClick = [this](TObject* sender) { CancelClick(sender); };
        if (!ShowCancel) {
            FProgressDialog->btnCancel->SetEnabled(false);
            FProgressDialog->btnCancel->Hide();
            FProgressDialog->SetClientHeight(98 * FProgressDialog->Widget()->logicalDpiY() / 96);
        }
        FDisabledWindows = std::make_unique<DisabledWindows>(FProgressDialog->Widget());
    }
    FProgressDialog->SetCaption(Title());
    FProgressDialog->Show();
}

void TPagePrinter::CloseProgressDialog()
{
    if (!FProgressDialog)
        return;
    if (FProgressDialog->Visible())
        FProgressDialog->Hide();
    delete FProgressDialog;
    FProgressDialog = nullptr;
    FDisabledWindows.reset();
}

void TPagePrinter::CancelClick(TObject* Sender)
{
    (void)Sender;
    FCancelled = true;
}
