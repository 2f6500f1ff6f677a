#include "dialogs/ProgrammeLineDrawing.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

// An unknown colour name is ignored; a later colour mark overrides an earlier one.
void ApplyLeadingMarks(const ProgrammeRow& row, TFont& font)
{
    if (row.onAir)
        font.SetStyle(font.Style() + TFontStyles{fsBold});
    for (const AnsiString& colour : row.colours) {
        try {
            font.SetColor(StringToColor(colour));
        } catch (const EConvertError&) {
            // A colour name the settings got wrong keeps the row's own colour.
        }
    }
}

// The row at `index` split as `layout` puts its marks, its rectangle filled and the canvas font
// set from its leading marks. False for an empty row or an index outside the list.
bool PrepareRow(TListBox& list, int index, const TRect& rect, TOwnerDrawState state, RowLayout layout,
                ProgrammeRow& row)
{
    if (index < 0 || index >= list.Count())
        return false;
    const AnsiString text = list.Items()->Get(index);
    if (text.empty())
        return false;
    row = SplitProgrammeRow(text, layout);
    PrepareRowCanvas(list, rect, state, row);
    return true;
}

void DrawNowOnAirColumns(TCanvas& canvas, int x, int y, const AnsiString& rest)
{
    const std::size_t comma = rest.find(", ");
    if (comma == AnsiString::npos) {
        canvas.TextOut(x + 2, y, "  " + rest);
        return;
    }
    canvas.TextOut(x + 2, y, "  " + rest.substr(0, comma));
    canvas.TextOut(x + 100, y, rest.substr(comma + 2));
}

} // namespace

void PrepareRowCanvas(TListBox& list, const TRect& rect, TOwnerDrawState state, const ProgrammeRow& marks)
{
    TCanvas* canvas = list.Canvas();
    canvas->FillRect(rect);
    ApplyLeadingMarks(marks, *canvas->Font());
    if (state.Contains(odSelected))
        canvas->Font()->SetColor(clWindow);
}

void DrawProgrammeLine(TListBox& list, int index, const TRect& rect, TOwnerDrawState state, RowLayout layout)
{
    ProgrammeRow row;
    if (!PrepareRow(list, index, rect, state, layout, row))
        return;
    TCanvas* canvas = list.Canvas();
    const int x = rect.Left;
    const int y = rect.Top;
    // A row without its layout's column mark, as every row of the channel view, is one text.
    switch (row.columnMark ? layout : RowLayout::Channel) {
    case RowLayout::Timeline:
        canvas->TextOut(x + 2, y, row.before.substr(0, 5));
        canvas->TextOut(x + 40, y, row.channel);
        canvas->TextOut(x + 130, y, row.after);
        break;
    case RowLayout::Search:
        canvas->TextOut(x + 2, y, row.before.substr(0, 15));
        canvas->TextOut(x + 100, y, row.channel);
        canvas->TextOut(x + 190, y, row.after);
        break;
    case RowLayout::NowOnAir:
        DrawNowOnAirColumns(*canvas, x, y, row.after);
        break;
    case RowLayout::Channel:
        canvas->TextOut(x + 2, y, row.Text());
        break;
    }
}
