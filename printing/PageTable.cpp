// Table rows: cells laid out in the columns of a column format, wrapped within their column,
// with an optional grid.
#include "printing/ColumnFormat.h"
#include "printing/PageMacros.h"
#include "printing/PagePrinter.h"
#include "printing/TextFitting.h"
#include "platform/core/SysUtils.h"

struct ColumnLayout {
    TAlignment Align = taLeftJustify;
    double Width = 0;
    bool Grid = false;
    int Pixels = 0;
};

ColumnLayout TPagePrinter::GetTableColumn(const std::vector<AnsiString>& formats, std::size_t i) const
{
    ColumnLayout column;
    AnsiString token = formats[i];
    ParseColumnFormat(token, column.Align, column.Width, FDefaultColWidth);
    column.Grid = TableGrid && column.Width >= 0;
    column.Pixels = UnitsToPixelsX(column.Width < 0 ? -column.Width : column.Width);
    return column;
}

// The printer's external leading, scaled as the lines are.
int TPagePrinter::ScaledExternalLeading() const
{
    int leading = FTextMetrics.tmExternalLeading;
    switch (FLineSpacing) {
    case lsHalfSpace: return leading / 2;
    case lsSingleAndAHalf: return static_cast<int>(Round(leading * 1.5));
    case lsDoubleSpace: return leading * 2;
    default: return leading;
    }
}

void TPagePrinter::DrawCellBox(int width, bool drawTop, bool drawBottom)
{
    int x = FCurrentX;
    int y = TopOffset() + FCurrentY - ScaledExternalLeading();
    int bottom = y + static_cast<int>(FLineHeight);
    TMetafileCanvas* canvas = FPageCanvas.get();
    canvas->Pen()->SetWidth(PrinterDpiY() / 300 * 2);
    if (drawTop) {
        canvas->MoveTo(x, y);
        canvas->LineTo(x + width, y);
    }
    if (drawBottom) {
        canvas->MoveTo(x, bottom);
        canvas->LineTo(x + width, bottom);
    }
    canvas->Pen()->SetWidth(PrinterDpiX() / 300 * 2);
    canvas->MoveTo(x, y);
    canvas->LineTo(x, bottom);
    canvas->MoveTo(x + width, y);
    canvas->LineTo(x + width, bottom);
}

namespace {

// A line feed inside a cell continues the cell on the next printed line.
void BreakAtLineFeed(AnsiString& cell, AnsiString& rest)
{
    std::size_t lineFeed = cell.find('\n');
    if (lineFeed == AnsiString::npos)
        return;
    if (!rest.empty())
        rest = " " + rest;
    rest = cell.substr(lineFeed + 1) + rest;
    cell.resize(lineFeed);
}

} // namespace

void TPagePrinter::WriteTableLine(const AnsiString& row)
{
    MeasureText measure = [this](const AnsiString& t) { return MeasureWidth(t); };
    std::vector<AnsiString> formats = SplitTokens(FTableFormat, TokenSeparator);
    std::vector<AnsiString> cells = SplitTokens(row, TokenSeparator);
    bool firstLine = TableGrid;
    bool more;
    do {
        more = false;
        FCurrentX = LeftOffset();
        for (std::size_t i = 0; i < formats.size(); ++i) {
            ColumnLayout column = GetTableColumn(formats, i);
            AnsiString cell = i < cells.size() ? cells[i] : AnsiString();
            if (cell.find("{$") != AnsiString::npos)
                cell = ReplaceMacros(cell, PageMacroValues{FLineNumber, FPageNumber, Title()});
            if (WordWrap) {
                AnsiString rest = cell;
                SplitToWidth(cell, rest, false, column.Pixels, measure);
                BreakAtLineFeed(cell, rest);
                if (i < cells.size())
                    cells[i] = rest;
                more = more || !rest.empty();
            } else {
                cell = TruncateToWidth(cell, column.Pixels, measure);
            }
            int width = MeasureWidth(cell);
            int offset = 0;
            if (column.Align == taRightJustify)
                offset = column.Pixels - width;
            else if (column.Align == taCenter)
                offset = std::max(0, (column.Pixels - width) / 2);
            int inset = PrinterDpiX() / 300 * 6;
            if (width < column.Pixels - inset) {
                if (column.Align == taRightJustify)
                    offset -= inset;
                else if (column.Align == taLeftJustify)
                    offset += inset;
            }
            if (FFileOpen)
                WriteFile(Spaces(offset / BlankWidth()) + cell +
                          Spaces((column.Pixels - (width + offset)) / BlankWidth()));
            else
                FPageCanvas->TextOut(FCurrentX + offset, TopOffset() + FCurrentY, cell);
            if (column.Grid)
                DrawCellBox(column.Pixels, firstLine, false);
            FCurrentX += column.Pixels;
        }
        firstLine = false;
        if (more)
            NewLine();
    } while (more);

    if (TableGrid) {
        FCurrentX = LeftOffset();
        for (std::size_t i = 0; i < formats.size(); ++i) {
            ColumnLayout column = GetTableColumn(formats, i);
            if (column.Grid)
                DrawCellBox(column.Pixels, false, true);
            FCurrentX += column.Pixels;
        }
    }
    if (!(FInHeaderFooter && !FFileOpen))
        NewLine();
}
