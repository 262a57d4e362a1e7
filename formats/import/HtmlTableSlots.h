#pragma once
// The HTML table model's slot assignment: the position each cell of a page's table takes,
// given the cells before it and their spans, kept to the 127 x 127 positions a table can have.
//
// Cells come row group by row group (thead, tbody, tfoot), row by row, in document order. A
// rowspan of 0 reaches to the end of its row group, and no rowspan reaches past it, as
// browsers draw it. Where a cell's span would run into an earlier cell, the earlier cell keeps
// its positions and the later span is cut short (the page's table would draw them on top of
// each other, which a table of this program cannot hold).

#include <QtGlobal>

#include <optional>
#include <vector>

struct SlotPlacement {
    bool kept = false;  // false: the cell lies beyond the 127th column or row
    int col = 0;
    int row = 0;
    int extraCols = 0;
    int extraRows = 0;
    bool cutByOverlap = false;  // its span met an earlier cell
    bool cutAtGroupEnd = false; // its rowspan reached past the last row of its group
};

class HtmlTableSlots {
public:
    HtmlTableSlots();

    void BeginGroup(int rowCount);
    void BeginRow();
    // colspan and rowspan as the page's attributes read (nothing when absent or unreadable).
    SlotPlacement Place(std::optional<qint64> colspan, std::optional<qint64> rowspan);

    // The page's table size. The width counts the rows a table can keep (the first 127): the
    // rows left out beyond them widen nothing. Columns beyond the 127th are counted from where
    // the cells would go if nothing spanned into them, which is exact for every table that has
    // no rowspan out there.
    int Width() const { return width_; }
    int Height() const { return row_ + 1; }

private:
    bool Taken(int col, int row) const;
    void Take(int col, int row, int cols, int rows);
    int FreeWidth(int col, int row, int wanted) const;
    int FreeHeight(int col, int row, int cols, int wanted) const;

    std::vector<bool> taken_;
    int row_;
    int groupEnd_;
    int xcurrent_ = 0;
    int width_ = 0;
};
