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
    if (col < 0 || row < 0 || static_cast<std::size_t>(row) >= FCells.size())
        return AnsiString();
    const auto& cells = FCells[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : AnsiString();
}

void TStringGrid::SetCell(int col, int row, const AnsiString& text)
{
    if (col < 0 || row < 0)
        throw EListError("Grid index out of range (" + IntToStr(col) + ", " + IntToStr(row) + ")");
    if (static_cast<std::size_t>(row) >= FCells.size())
        FCells.resize(static_cast<std::size_t>(row) + 1);
    auto& cells = FCells[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) >= cells.size())
        cells.resize(static_cast<std::size_t>(col) + 1);
    cells[static_cast<std::size_t>(col)] = text;
}
