// Rearranging the table: moving a row or a column past its neighbour, transposing, clearing
// the texts of the selected cells, and a rectangle of cells as a document of its own (what
// the clipboard holds of a copy). Each keeps the merged-cell rules; a move that would cut a
// merged cell is refused with the reason, and nothing changes.

#include "core/TableCore.h"

#include <algorithm>
#include <utility>

namespace {

// The first merged cell that spans more than one line across `first` or `second` (rows, or
// columns with `columns`), as "(col, row)"; empty when there is none.
QString MergedAcross(const TableCore& t, int first, int second, bool columns)
{
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            if (!cell.Visible) continue;
            const int from = columns ? c : r;
            const int to = columns ? t.AreaLastCol(c, r) : t.AreaLastRow(c, r);
            if (to > from && from <= second && to >= first)
                return QStringLiteral("the merged cell at (%1, %2) spans %3 %4 to %5")
                    .arg(c).arg(r).arg(columns ? QStringLiteral("columns") : QStringLiteral("rows")).arg(from).arg(to);
        }
    return {};
}

}  // namespace

QString TableCore::MoveRow(int row, int delta)
{
    // The checks come before the sum: a script may give any int.
    if (!InTable(0, row) || (delta != 1 && delta != -1) || !InTable(0, row + delta))
        return QStringLiteral("row %1 cannot move there").arg(row);
    const int other = row + delta;
    const int first = std::min(row, other), second = std::max(row, other);
    if (const QString merged = MergedAcross(*this, first, second, false); !merged.isEmpty())
        return merged + QStringLiteral(": moving row %1 would cut it").arg(row);
    BeginUpdate();
    for (int c = 0; c < ColCount; ++c) std::swap(Cells(c, first), Cells(c, second));
    if (SelRow == row) SelRow = other;
    else if (SelRow == other) SelRow = row;
    SelectCell(SelCol, SelRow);
    EndUpdate();
    return {};
}

QString TableCore::MoveColumn(int col, int delta)
{
    if (!InTable(col, 0) || (delta != 1 && delta != -1) || !InTable(col + delta, 0))
        return QStringLiteral("column %1 cannot move there").arg(col);
    const int other = col + delta;
    const int first = std::min(col, other), second = std::max(col, other);
    if (const QString merged = MergedAcross(*this, first, second, true); !merged.isEmpty())
        return merged + QStringLiteral(": moving column %1 would cut it").arg(col);
    BeginUpdate();
    for (int r = 0; r < RowCount; ++r) std::swap(Cells(first, r), Cells(second, r));
    std::swap(ColWidths[std::size_t(first)], ColWidths[std::size_t(second)]);
    if (SelCol == col) SelCol = other;
    else if (SelCol == other) SelCol = col;
    SelectCell(SelCol, SelRow);
    EndUpdate();
    return {};
}

void TableCore::Transpose()
{
    BeginUpdate();
    const int cols = ColCount, rows = RowCount;
    std::vector<TCell> cells;
    cells.reserve(std::size_t(cols) * std::size_t(rows));
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) cells.push_back(Cells(c, r));
    // The spare line of each kind takes part in nothing: a transposed table starts it afresh.
    for (int c = 0; c < kStoreSize; ++c)
        for (int r = 0; r < kStoreSize; ++r)
            if (c >= rows || r >= cols) InitCell(c, r, true);
    ColCount = rows;
    RowCount = cols;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            TCell& cell = Cells(r, c);
            const TRect rect = cell.Rect;
            cell = cells[std::size_t(c) * std::size_t(rows) + std::size_t(r)];
            cell.Rect = rect;
            std::swap(cell.ExtraCols, cell.ExtraRows);
        }
    // Widths belong to columns, which are rows now: every column starts automatic.
    ColWidths.fill(TSizeSpec{});
    const int col = SelRow, row = SelCol;
    SelCol = SelRow = -1;
    if (!SelectCell(col, row)) SelectCell(0, 0);
    ResetSelection();
    UpdateWidth();
    EndUpdate();
}

bool TableCore::ClearSelectedTexts()
{
    bool changed = false;
    BeginUpdate();
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            TCell& cell = Cells(c, r);
            if (!cell.Visible || !cell.Selected || cell.Text.isEmpty()) continue;
            cell.Text.clear();
            changed = true;
        }
    if (changed) SelectCell(SelCol, SelRow);
    EndUpdate();
    return changed;
}

bool TableCore::SelectionBounds(int& c1, int& r1, int& c2, int& r2) const
{
    SelectedLines(c1, r1, c2, r2);
    if (c2 < 0) return false;
    ExpandToMerged(c1, r1, c2, r2);
    return true;
}

QByteArray TableCore::RangeDocument(int c1, int r1, int c2, int r2, bool selectedOnly) const
{
    TableCore part;
    part.ResetTable();
    if (!InTable(c1, r1) || !InTable(c2, r2) || c2 < c1 || r2 < r1) return part.SaveToBytes();
    part.SetColCount(c2 - c1 + 1);
    part.SetRowCount(r2 - r1 + 1);
    part.TagsLowerCase = TagsLowerCase;
    for (int c = c1; c <= c2; ++c) {
        part.ColWidths[std::size_t(c - c1)] = ColWidths[std::size_t(c)];
        for (int r = r1; r <= r2; ++r) {
            const TCell& from = Cells(c, r);
            TCell& to = part.Cell(c - c1, r - r1);
            to = from;
            to.Selected = false;
            // A merged cell ends at the rectangle's edge.
            to.ExtraCols = std::min(from.ExtraCols, c2 - c);
            to.ExtraRows = std::min(from.ExtraRows, r2 - r);
            // Outside a rectangular selection the cells come empty.
            if (selectedOnly && from.Visible && !from.Selected && !(c == SelCol && r == SelRow)) to.Text.clear();
        }
    }
    // A covered cell whose anchor lies outside the rectangle shows as an empty cell.
    for (int c = 0; c < part.ColCount; ++c)
        for (int r = 0; r < part.RowCount; ++r)
            if (!part.Cell(c, r).Visible && !CoveredFrom(part, c, r)) part.InitCell(c, r, true);
    return part.SaveToBytes();
}

bool TableCore::CoveredFrom(const TableCore& t, int col, int row)
{
    for (int c = col; c >= 0; --c)
        for (int r = row; r >= 0; --r) {
            const TCell& anchor = t.Cell(c, r);
            if (anchor.Visible && t.AreaLastCol(c, r) >= col && t.AreaLastRow(c, r) >= row) return c != col || r != row;
        }
    return false;
}
