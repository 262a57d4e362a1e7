#include "formats/export/AnchoredLines.h"

#include "core/TableCore.h"

AnchoredLines::AnchoredLines(const TableCore& table)
    : rows_(std::size_t(table.RowCount), false), cols_(std::size_t(table.ColCount), false)
{
    for (int c = 0; c < table.ColCount; ++c)
        for (int r = 0; r < table.RowCount; ++r)
            if (table.Cell(c, r).Visible) rows_[std::size_t(r)] = cols_[std::size_t(c)] = true;
}

int AnchoredLines::Count(const std::vector<bool>& kept, int start, int extra)
{
    int count = 0;
    for (int i = start; i <= start + extra && i < int(kept.size()); ++i) count += kept[std::size_t(i)];
    return count;
}
