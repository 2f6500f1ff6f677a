#include "platform/core/StringGrid.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

void TStringGrid::SetColCount(int count)
{
    FColCount = std::max(count, 0);
    Resize();
}

void TStringGrid::SetRowCount(int count)
{
    FRowCount = std::max(count, 0);
    Resize();
}

void TStringGrid::Resize()
{
    FCells.resize(static_cast<std::size_t>(FRowCount));
    for (auto& row : FCells)
        row.resize(static_cast<std::size_t>(FColCount));
}

AnsiString TStringGrid::Cells(int col, int row) const
{
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        return AnsiString();
    return FCells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, const AnsiString& text)
{
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        throw EListError("Grid index out of range (" + IntToStr(col) + ", " + IntToStr(row) + ")");
    FCells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
}
