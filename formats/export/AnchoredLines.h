#pragma once
// The rows and columns in which at least one cell begins. A row or column that merged cells
// cover entirely has none; the HTML table model forbids it, and browsers draw it with no
// size, so the HTML5 and wiki tables leave it out and shorten the spans across it.

#include <vector>

class TableCore;

class AnchoredLines {
public:
    explicit AnchoredLines(const TableCore& table);

    bool row(int r) const { return rows_[std::size_t(r)]; }
    bool col(int c) const { return cols_[std::size_t(c)]; }
    // The span of a cell beginning at (col, row) with these extra columns and rows, counted
    // over the kept lines only.
    int colSpan(int col, int extraCols) const { return Count(cols_, col, extraCols); }
    int rowSpan(int row, int extraRows) const { return Count(rows_, row, extraRows); }

private:
    std::vector<bool> rows_, cols_;
    static int Count(const std::vector<bool>& kept, int start, int extra);
};
