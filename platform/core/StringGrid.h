// A grid of strings kept as data only (the program never shows one): cells addressed as
// (column, row) from 0; reading a cell never written gives an empty string. As in the class
// library's grid, a cell may be written beyond ColCount and RowCount (the own views keep each
// programme's description past the last column); it is kept without changing the counts.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Component.h"
#include <vector>

class TStringGrid : public TComponent {
public:
    explicit TStringGrid(TComponent* owner = nullptr) : TComponent(owner) { Resize(); }

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // Setting a count keeps the cells inside the new counts and drops every other.
    void SetColCount(int count);
    void SetRowCount(int count);

    AnsiString Cells(int col, int row) const;
    // Raises EListError for a negative column or row.
    void SetCell(int col, int row, const AnsiString& text);

private:
    void Resize();
    int FColCount = 5;
    int FRowCount = 5;
    std::vector<std::vector<AnsiString>> FCells; // [row][col]
};
