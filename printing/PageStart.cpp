// What every page starts with: the header row in the top margin, the footer row in the bottom
// margin and the border lines.
#include "printing/PagePrinter.h"
#include "platform/core/ScopeExit.h"

void TPagePrinter::StartPage()
{
    FCurrentX = 0;
    FCurrentY = 0;
    FLineNumber = 0;
    if (OnNewPage)
        OnNewPage(this);
    int savedX = FCurrentX;
    int savedY = FCurrentY;
    unsigned savedLine = FLineNumber;
    WriteHeaderAndFooter();
    FCurrentX = savedX;
    FCurrentY = savedY;
    FLineNumber = savedLine;
    if (OnNewLine)
        OnNewLine(this);
    DrawPageBorders();
}

// The rows are written as table rows in their own fonts and formats; everything they change
// is put back afterwards, also when writing fails. The automatic header and footer fonts stay
// off while Font is put back, so the header font does not become the body font.
void TPagePrinter::WriteHeaderAndFooter()
{
    AnsiString savedFormat = FTableFormat;
    bool savedGrid = TableGrid;
    TFont savedFont;
    savedFont.Assign(*Font());
    bool savedAutoHeader = FAutoHeaderFont;
    bool savedAutoFooter = FAutoFooterFont;
    TableGrid = false;
    FAutoHeaderFont = false;
    FAutoFooterFont = false;
    FInHeaderFooter = true;
    // Given back however the header or footer ends.
    ScopeExit restore([&] {
        FInHeaderFooter = false;
        FTableFormat = savedFormat;
        TableGrid = savedGrid;
        Font()->Assign(savedFont);
        FAutoHeaderFont = savedAutoHeader;
        FAutoFooterFont = savedAutoFooter;
    });
    if (!Header.empty()) {
        Font()->Assign(FHeaderFont);
        int top = UnitsToPixelsY(FMarginTop);
        int space = PageBorders.Contains(pbTop) ? UnitsToPixelsY(FMarginTop - FPageBorderOffset) : top;
        FCurrentY = (space - static_cast<int>(FLineHeight)) / 2 - top;
        if (TopOffset() + FCurrentY < 0)
            FCurrentY = -TopOffset();
        FTableFormat = FHeaderFormat;
        WriteTableLine(Header);
    }
    if (!Footer.empty()) {
        Font()->Assign(FFooterFont);
        int lineHeight = static_cast<int>(FLineHeight);
        if (!PageBorders.Contains(pbBottom))
            FCurrentY = PrintableHeight() + (UnitsToPixelsY(FMarginBottom) - lineHeight) / 2;
        else
            FCurrentY = PrintableHeight() + UnitsToPixelsY(FPageBorderOffset) +
                        (UnitsToPixelsY(FMarginBottom - FPageBorderOffset) - lineHeight) / 2;
        int printableBottom = UnitsToPixelsY(PrintablePaperHeight());
        if (TopOffset() + FCurrentY + lineHeight > printableBottom)
            FCurrentY = printableBottom - TopOffset() - lineHeight;
        FTableFormat = FFooterFormat;
        WriteTableLine(Footer);
    }
}

void TPagePrinter::DrawPageBorders()
{
    int left = LeftOffset();
    int top = TopOffset();
    int right = left + PrintableWidth();
    int bottom = top + PrintableHeight();
    TMetafileCanvas* canvas = FPageCanvas.get();

    canvas->Pen()->SetWidth(PrinterDpiY() / 300 * 2);
    int d = UnitsToPixelsY(FPageBorderOffset);
    if (PageBorders.Contains(pbTop)) {
        canvas->MoveTo(left - d, top - d);
        canvas->LineTo(right + d, top - d);
    }
    if (PageBorders.Contains(pbBottom)) {
        canvas->MoveTo(left - d, bottom + d);
        canvas->LineTo(right + d, bottom + d);
    }

    canvas->Pen()->SetWidth(PrinterDpiX() / 300 * 2);
    d = UnitsToPixelsX(FPageBorderOffset);
    if (PageBorders.Contains(pbLeft)) {
        canvas->MoveTo(left - d, top - d);
        canvas->LineTo(left - d, bottom + d);
    }
    if (PageBorders.Contains(pbRight)) {
        canvas->MoveTo(right + d, top - d);
        canvas->LineTo(right + d, bottom + d);
    }
}
