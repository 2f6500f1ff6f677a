// The page store: one recorded page per page of the document, and one unlisted page whose
// canvas measures text while no document is being composed.
#include "printing/PagePrinter.h"
#include "platform/core/SysUtils.h"

void TPagePrinter::CreatePageMetafile()
{
    FreePageCanvas();
    FUnlistedPage = std::make_unique<TMetafile>(UnitsToPixelsX(PaperWidth() - MinMarginRight()),
                                                UnitsToPixelsY(PaperHeight() - MinMarginBottom()));
    FCurrentPage = FUnlistedPage.get();
    FPageCanvas = std::make_unique<TMetafileCanvas>(FCurrentPage);
    FPageCanvas->Brush()->SetStyle(bsClear);
    FPageCanvas->Font()->Assign(*Font());
    FCanvasFontPoints = Font()->Size();
    ResetFontPPI();
}

void TPagePrinter::AddPage()
{
    CreatePageMetafile();
    FPages.Add(std::move(FUnlistedPage));
}

void TPagePrinter::FreePageCanvas()
{
    FPageCanvas.reset();
    FUnlistedPage.reset();
    FCurrentPage = nullptr;
}

void TPagePrinter::ResetPages(bool addFirst)
{
    FreePageCanvas();
    FPages.Clear();
    FPageNumber = 0;
    if (addFirst)
        AddPage();
    else
        CreatePageMetafile();
}

TMetafile* TPagePrinter::PageMetafile(unsigned n) const
{
    return n == 0 ? nullptr : FPages.Items(static_cast<int>(n - 1));
}

void TPagePrinter::SetPageNumber(unsigned page)
{
    if (page != 0 && page <= PageCount()) {
        FPageNumber = page;
        UpdatePreviewSize();
        RepaintPreview();
        return;
    }
    if (PageCount() > 0)
        throw EPagePrinter("PageNumber must be between 1 and " + IntToStr(PageCount()));
    FPageNumber = 0;
}
