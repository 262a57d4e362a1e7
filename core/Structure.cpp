// Row, column and merge operations. Every one of them keeps the merged-cell representation
// intact: an anchor carries the spans, the cells it covers are invisible defaults, and no two
// areas overlap.

#include "core/TableCore.h"

#include <algorithm>

// ---- Insertion -------------------------------------------------------------------------------

void TableCore::InsertColumn(int p)
{
    p = std::clamp(p, 0, ColCount);
    if (p == ColCount) {
        // Appending: a merged cell that ends in the last column keeps its width.
        SetColCount(ColCount + 1);
        return;
    }
    if (ColCount >= kMaxCount) return;

    BeginUpdate();
    for (int c = ColCount - 1; c >= p; --c)
        for (int r = 0; r < RowCount; ++r) Cells(c + 1, r) = Cells(c, r);
    // A column's width moves with it; the new one is automatic.
    std::copy_backward(ColWidths.begin() + p, ColWidths.begin() + ColCount, ColWidths.begin() + ColCount + 1);
    ColWidths[std::size_t(p)] = TSizeSpec{};
    ++ColCount;
    for (int r = 0; r < RowCount; ++r) InitCell(p, r, true);

    // The current cell follows its column before the spans are re-merged, so that a merged
    // cell growing into the current cell's old index does not take the current cell over.
    if (SelCol >= 0 && p <= SelCol) ++SelCol;

    // A merged cell that crosses the insertion point, or ends just before it, grows by one
    // column and takes in the new column's cells.
    for (int c = 0; c < p; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            if (cell.Visible && cell.ExtraCols > 0 && AreaLastCol(c, r) >= p - 1)
                MergeCells(c, r, AreaLastCol(c, r) - c + 1, AreaLastRow(c, r) - r);
        }

    SelectCell(SelCol, SelRow);
    EndUpdate();
}

void TableCore::InsertRow(int p)
{
    p = std::clamp(p, 0, RowCount);
    if (p == RowCount) {
        SetRowCount(RowCount + 1);
        return;
    }
    if (RowCount >= kMaxCount) return;

    BeginUpdate();
    for (int c = 0; c < ColCount; ++c)
        for (int r = RowCount - 1; r >= p; --r) Cells(c, r + 1) = Cells(c, r);
    ++RowCount;
    for (int c = 0; c < ColCount; ++c) InitCell(c, p, true);

    if (SelRow >= 0 && p <= SelRow) ++SelRow;

    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < p; ++r) {
            const TCell& cell = Cells(c, r);
            if (cell.Visible && cell.ExtraRows > 0 && AreaLastRow(c, r) >= p - 1)
                MergeCells(c, r, AreaLastCol(c, r) - c, AreaLastRow(c, r) - r + 1);
        }

    SelectCell(SelCol, SelRow);
    EndUpdate();
}

// ---- Deletion --------------------------------------------------------------------------------

void TableCore::DeleteColumn(int d)
{
    if (d < 0 || d >= ColCount || ColCount < 2) return;
    BeginUpdate();
    if (d == ColCount - 1) {
        SetColCount(ColCount - 1);
        EndUpdate();
        return;
    }

    for (int c = 0; c <= d; ++c)
        for (int r = 0; r < RowCount; ++r) {
            TCell& cell = Cells(c, r);
            if (!cell.Visible || cell.ExtraCols <= 0) continue;
            if (c == d) SplitCell(c, r);  // its covered cells to the right become ordinary
            else if (AreaLastCol(c, r) >= d) cell.ExtraCols = AreaLastCol(c, r) - c - 1;
        }

    // The old last column stays behind, beyond the count; the widths move along.
    for (int c = d; c <= ColCount - 2; ++c)
        for (int r = 0; r < RowCount; ++r) Cells(c, r) = Cells(c + 1, r);
    std::copy(ColWidths.begin() + d + 1, ColWidths.begin() + ColCount, ColWidths.begin() + d);
    ColWidths[std::size_t(ColCount - 1)] = TSizeSpec{};
    --ColCount;

    // A current cell right of the deleted column moves left with its text; one in the
    // deleted column keeps its index, which now holds the column to its right.
    if (SelCol > d) --SelCol;
    if (SelCol >= ColCount) SelCol = ColCount - 1;
    SelectCell(SelCol, SelRow);
    EndUpdate();
}

void TableCore::DeleteRow(int d)
{
    if (d < 0 || d >= RowCount || RowCount < 2) return;
    BeginUpdate();
    if (d == RowCount - 1) {
        SetRowCount(RowCount - 1);
        EndUpdate();
        return;
    }

    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r <= d; ++r) {
            TCell& cell = Cells(c, r);
            if (!cell.Visible || cell.ExtraRows <= 0) continue;
            if (r == d) SplitCell(c, r);
            else if (AreaLastRow(c, r) >= d) cell.ExtraRows = AreaLastRow(c, r) - r - 1;
        }

    for (int c = 0; c < ColCount; ++c)
        for (int r = d; r <= RowCount - 2; ++r) Cells(c, r) = Cells(c, r + 1);
    --RowCount;

    if (SelRow > d) --SelRow;
    if (SelRow >= RowCount) SelRow = RowCount - 1;
    SelectCell(SelCol, SelRow);
    EndUpdate();
}

// ---- Merging and splitting -------------------------------------------------------------------

bool TableCore::SplitCell(int col, int row)
{
    if (!IsVisibleCell(col, row)) return false;
    TCell& anchor = Cells(col, row);
    const int lastCol = AreaLastCol(col, row), lastRow = AreaLastRow(col, row);
    for (int c = col; c <= lastCol; ++c)
        for (int r = row; r <= lastRow; ++r)
            if (c != col || r != row) InitCell(c, r, true);
    anchor.ExtraCols = 0;
    anchor.ExtraRows = 0;
    return true;
}

namespace {

struct Area {
    int c1, r1, c2, r2;
    bool intersects(int c, int r, int ec, int er) const
    {
        return c <= c2 && ec >= c1 && r <= r2 && er >= r1;
    }
    // Grows to take in the given rectangle; true when anything changed.
    bool widen(int c, int r, int ec, int er)
    {
        const Area before = *this;
        c1 = std::min(c1, c);
        r1 = std::min(r1, r);
        c2 = std::max(c2, ec);
        r2 = std::max(r2, er);
        return c1 != before.c1 || r1 != before.r1 || c2 != before.c2 || r2 != before.r2;
    }
};

}  // namespace

void TableCore::ExpandToMerged(int& c1, int& r1, int& c2, int& r2) const
{
    if (!InTable(c1, r1) || ColCount == 0 || RowCount == 0) return;
    if (c2 <= c1 && r2 <= r1) return;
    Area area{c1, r1, std::min(c2, ColCount - 1), std::min(r2, RowCount - 1)};

    bool changed = true;
    while (changed) {
        changed = false;
        for (int c = 0; c < ColCount; ++c)
            for (int r = 0; r < RowCount; ++r) {
                // Only anchors count: a covered cell's fields carry no area.
                const TCell& cell = Cells(c, r);
                if (!cell.Visible || !cell.isMerged()) continue;
                const int ec = AreaLastCol(c, r), er = AreaLastRow(c, r);
                if (area.intersects(c, r, ec, er) && area.widen(c, r, ec, er)) {
                    changed = true;
                    break;  // on with the next column
                }
            }
    }
    c1 = area.c1;
    r1 = area.r1;
    c2 = area.c2;
    r2 = area.r2;
}

bool TableCore::MergeCells(int col, int row, int extraCols, int extraRows)
{
    if (!IsVisibleCell(col, row)) {
        UpdateLayout();
        return false;
    }
    extraCols = std::clamp(extraCols, 0, ColCount - col - 1);
    extraRows = std::clamp(extraRows, 0, RowCount - row - 1);

    SplitCell(col, row);
    int c2 = col + extraCols, r2 = row + extraRows;
    // The top-left corner of the expanded area is never covered: a merged cell covering it
    // would cross the area's border.
    ExpandToMerged(col, row, c2, r2);
    TCell& anchor = Cells(col, row);
    anchor.ExtraCols = c2 - col;
    anchor.ExtraRows = r2 - row;
    for (int c = col; c <= c2; ++c)
        for (int r = row; r <= r2; ++r)
            if (c != col || r != row) InitCell(c, r, false);

    if (SelCol >= col && SelCol <= c2 && SelRow >= row && SelRow <= r2) SelectCell(col, row);
    UpdateLayout();
    return true;
}

bool TableCore::SelectionMergeStart(int& c1, int& r1, int& c2, int& r2) const
{
    int minCol = kMaxCount, minRow = kMaxCount, maxCol = -1, maxRow = -1;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            if (!cell.Visible || !cell.Selected) continue;
            minCol = std::min(minCol, c);
            maxCol = std::max(maxCol, c);
            minRow = std::min(minRow, r);
            maxRow = std::max(maxRow, r);
        }
    if (maxCol < 0 || (minCol == maxCol && minRow == maxRow)) return false;

    // The bounding rectangle's corner can be covered by a merged cell that reaches in from
    // above or from the left (selected (3, 1) and (1, 3) beside a merged (0..1, 0..1)).
    // MergeCells refuses a covered anchor, so start from the corner of the expanded area.
    if (InTable(minCol, minRow) && !Cells(minCol, minRow).Visible)
        ExpandToMerged(minCol, minRow, maxCol, maxRow);
    c1 = minCol;
    r1 = minRow;
    c2 = maxCol;
    r2 = maxRow;
    return true;
}

void TableCore::MergeSelection()
{
    int c1, r1, c2, r2;
    if (SelectionMergeStart(c1, r1, c2, r2)) MergeCells(c1, r1, c2 - c1, r2 - r1);
}

TableCore::MergeTexts TableCore::SelectionMergeTexts() const
{
    MergeTexts result;
    int c1, r1, c2, r2;
    if (!SelectionMergeStart(c1, r1, c2, r2)) return result;
    // The area the merge takes in, as MergeCells itself widens it over the merged cells it
    // touches: worked out on a copy, so that the answer is the merge's own.
    // The widening may move the corner up and left.
    TableCore trial;
    if (!trial.LoadFromBytes(SaveToBytes()) || !trial.MergeCells(c1, r1, c2 - c1, r2 - r1)) return result;
    for (int c = 0; c <= c1 && result.col < 0; ++c)
        for (int r = 0; r <= r1 && result.col < 0; ++r)
            if (trial.IsVisibleCell(c, r) && trial.AreaLastCol(c, r) >= c1 && trial.AreaLastRow(c, r) >= r1) {
                result.col = c;
                result.row = r;
            }
    if (result.col < 0) return result;
    for (int r = result.row; r <= trial.AreaLastRow(result.col, result.row); ++r)
        for (int c = result.col; c <= trial.AreaLastCol(result.col, result.row); ++c)
            if (IsVisibleCell(c, r) && !Cells(c, r).Text.trimmed().isEmpty()) result.texts << Cells(c, r).Text;
    return result;
}

QString TableCore::JoinCellTexts(const QStringList& texts)
{
    return texts.join(QLatin1String("\r\n"));
}

void TableCore::UnmergeSelection()
{
    BeginUpdate();
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            if (cell.Selected && cell.isMerged()) SplitCell(c, r);
        }
    SelectCell(SelCol, SelRow);
    ResetSelection();
    EndUpdate();
}

bool TableCore::CanMerge() const
{
    int selected = 0;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r)
            if (Cells(c, r).Selected && ++selected > 1) return true;
    return false;
}

bool TableCore::CanUnmerge() const
{
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            if (cell.Selected && cell.isMerged()) return true;
        }
    return false;
}
