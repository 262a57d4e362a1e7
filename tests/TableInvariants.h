#pragma once
// Checks the merged-cell representation and the current cell of a table. Returns an empty
// string when every rule holds, otherwise a message naming the first broken rule and the
// cells involved, for a test to print with its seed and step.

#include "core/TableCore.h"

#include <string>
#include <vector>

namespace invariants {

inline bool AtCoveredDefaults(const TCell& cell)
{
    TCell fresh;
    fresh.reset(false);
    return cell.Text == fresh.Text && cell.FontName == fresh.FontName &&
           cell.FontSize == fresh.FontSize && cell.Bold == fresh.Bold &&
           cell.Italic == fresh.Italic && cell.FontColor == fresh.FontColor &&
           cell.BgColor == fresh.BgColor && cell.Visible == fresh.Visible &&
           cell.ExtraCols == fresh.ExtraCols && cell.ExtraRows == fresh.ExtraRows &&
           cell.VAlign == fresh.VAlign && cell.HAlign == fresh.HAlign &&
           cell.Header == fresh.Header && cell.Selected == fresh.Selected;
}

inline std::string At(int c, int r)
{
    return "(" + std::to_string(c) + ", " + std::to_string(r) + ")";
}

// Marks every position covered by an area with its anchor's index; reports overlaps and
// areas that leave the table.
inline std::string CheckAreas(const TableCore& t, std::vector<int>& owner)
{
    const int cols = t.ColCount, rows = t.RowCount;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            const TCell& cell = t.Cell(c, r);
            if (!cell.Visible) continue;
            if (cell.ExtraCols < 0 || cell.ExtraRows < 0)
                return "negative span at anchor " + At(c, r);
            if (c + cell.ExtraCols >= cols || r + cell.ExtraRows >= rows)
                return "area of anchor " + At(c, r) + " leaves the table (spans " +
                       std::to_string(cell.ExtraCols) + ", " + std::to_string(cell.ExtraRows) +
                       ")";
            for (int cc = c; cc <= c + cell.ExtraCols; ++cc)
                for (int rr = r; rr <= r + cell.ExtraRows; ++rr) {
                    int& slot = owner[std::size_t(cc) * rows + rr];
                    if (slot >= 0)
                        return "position " + At(cc, rr) + " lies in two areas, anchors " +
                               At(slot / rows, slot % rows) + " and " + At(c, r);
                    slot = c * rows + r;
                }
        }
    return {};
}

inline std::string CheckCovered(const TableCore& t, const std::vector<int>& owner)
{
    for (int c = 0; c < t.ColCount; ++c)
        for (int r = 0; r < t.RowCount; ++r) {
            const TCell& cell = t.Cell(c, r);
            const int slot = owner[std::size_t(c) * t.RowCount + r];
            if (slot < 0) return "position " + At(c, r) + " is neither visible nor covered";
            const bool isAnchor = slot == c * t.RowCount + r;
            if (isAnchor != cell.Visible)
                return "position " + At(c, r) + (cell.Visible ? " is visible inside the area of "
                                                               : " is invisible but owns ") +
                       At(slot / t.RowCount, slot % t.RowCount);
            if (!isAnchor && !AtCoveredDefaults(cell))
                return "covered cell " + At(c, r) + " is not at its defaults" +
                       (cell.Selected ? " (selected)" : "");
        }
    return {};
}

inline std::string CheckCurrentCell(const TableCore& t)
{
    if (t.SelCol == -1 && t.SelRow == -1) return {};
    if (!t.InTable(t.SelCol, t.SelRow))
        return "current cell " + At(t.SelCol, t.SelRow) + " is outside the table";
    if (!t.Cell(t.SelCol, t.SelRow).Visible)
        return "current cell " + At(t.SelCol, t.SelRow) + " is covered";
    return {};
}

inline std::string Check(const TableCore& t)
{
    if (t.ColCount < 0 || t.ColCount > kMaxCount || t.RowCount < 0 || t.RowCount > kMaxCount)
        return "counts out of range: " + std::to_string(t.ColCount) + " x " +
               std::to_string(t.RowCount);
    std::vector<int> owner(std::size_t(t.ColCount) * t.RowCount, -1);
    if (std::string failure = CheckAreas(t, owner); !failure.empty()) return failure;
    if (std::string failure = CheckCovered(t, owner); !failure.empty()) return failure;
    return CheckCurrentCell(t);
}

}  // namespace invariants
