// A grid of strings kept as data only (the program never shows one): cells addressed as
// (column, row) from 0; reading outside the grid gives an empty string.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Component.h"
#include <vector>

class TStringGrid : public TComponent {
public:
    explicit TStringGrid(TComponent* owner = nullptr) : TComponent(owner) { Resize(); }

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // Growing keeps every cell; shrinking drops the cells outside.
    void SetColCount(int count);
    void SetRowCount(int count);

    AnsiString Cells(int col, int row) const;
    // Raises EListError outside the grid.
    void SetCell(int col, int row, const AnsiString& text);

private:
    void Resize();
    int FColCount = 5;
    int FRowCount = 5;
    std::vector<std::vector<AnsiString>> FCells; // [row][col]
};
