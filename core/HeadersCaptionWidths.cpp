// Header cells, the caption and column widths: what a table holds beyond the version 1
// document, and the operations the header, caption and width commands run.

#include "core/DocumentFormat.h"
#include "core/TableCore.h"

#include <algorithm>

bool TableCore::UsesExtension() const
{
    if (!Caption.isEmpty() || HasColWidths()) return true;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r)
            if (Cells(c, r).Visible && Cells(c, r).Header) return true;
    return false;
}

bool TableCore::HasColWidths() const
{
    return std::any_of(ColWidths.begin(), ColWidths.begin() + std::max(0, ColCount),
                       [](TSizeSpec w) { return w.Units != TSizeSpec::Default; });
}

bool TableCore::IsHeaderRow(int row) const
{
    if (row < 0 || row >= RowCount) return false;
    bool any = false;
    for (int c = 0; c < ColCount; ++c) {
        const TCell& cell = Cells(c, row);
        if (!cell.Visible) continue;
        if (!cell.Header) return false;
        any = true;
    }
    return any;
}

bool TableCore::IsHeaderColumn(int col) const
{
    if (col < 0 || col >= ColCount) return false;
    bool any = false;
    for (int r = 0; r < RowCount; ++r) {
        const TCell& cell = Cells(col, r);
        if (!cell.Visible) continue;
        if (!cell.Header) return false;
        any = true;
    }
    return any;
}

void TableCore::SetHeaderRows(int r1, int r2, bool header)
{
    r1 = std::max(r1, 0);
    r2 = std::min(r2, RowCount - 1);
    for (int c = 0; c < ColCount; ++c)
        for (int r = r1; r <= r2; ++r)
            if (Cells(c, r).Visible) Cells(c, r).Header = header;
    UpdateLayout();
}

void TableCore::SetHeaderColumns(int c1, int c2, bool header)
{
    c1 = std::max(c1, 0);
    c2 = std::min(c2, ColCount - 1);
    for (int c = c1; c <= c2; ++c)
        for (int r = 0; r < RowCount; ++r)
            if (Cells(c, r).Visible) Cells(c, r).Header = header;
    UpdateLayout();
}

void TableCore::SelectedLines(int& c1, int& r1, int& c2, int& r2) const
{
    c1 = r1 = kMaxCount;
    c2 = r2 = -1;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            const bool current = c == SelCol && r == SelRow;
            if (!cell.Visible || !(cell.Selected || current)) continue;
            c1 = std::min(c1, c);
            r1 = std::min(r1, r);
            c2 = std::max(c2, AreaLastCol(c, r));
            r2 = std::max(r2, AreaLastRow(c, r));
        }
}

void TableCore::SetCaption(const QString& caption)
{
    if (caption == Caption) return;
    Caption = caption;
    UpdateLayout();
}

void TableCore::SetColWidth(int col, TSizeSpec width)
{
    if (col < 0 || col >= kStoreSize) return;
    if (!DocumentFormat::ValidWidth(width)) width = TSizeSpec{};
    if (width == ColWidths[std::size_t(col)]) return;
    ColWidths[std::size_t(col)] = width;
    UpdateLayout();
}
