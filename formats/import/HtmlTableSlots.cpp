#include "formats/import/HtmlTableSlots.h"

#include "core/Cell.h"

#include <algorithm>

namespace {

// The limits browsers put on the attributes.
constexpr qint64 kMaxColspan = 1000;
constexpr qint64 kMaxRowspan = 65534;

int Colspan(std::optional<qint64> value)
{
    if (!value || *value <= 0) return 1;
    return int(std::min(*value, kMaxColspan));
}

// 0 stands for "to the end of the row group".
int Rowspan(std::optional<qint64> value)
{
    if (!value || *value < 0) return 1;
    return int(std::min(*value, kMaxRowspan));
}

}  // namespace

HtmlTableSlots::HtmlTableSlots()
    : taken_(std::size_t(kMaxCount) * kMaxCount, false), row_(-1), groupEnd_(0)
{
}

void HtmlTableSlots::BeginGroup(int rowCount)
{
    groupEnd_ = row_ + 1 + std::max(0, rowCount);
}

void HtmlTableSlots::BeginRow()
{
    ++row_;
    xcurrent_ = 0;
    groupEnd_ = std::max(groupEnd_, row_ + 1);  // a row the group did not announce
}

bool HtmlTableSlots::Taken(int col, int row) const
{
    return taken_[std::size_t(row) * kMaxCount + std::size_t(col)];
}

void HtmlTableSlots::Take(int col, int row, int cols, int rows)
{
    for (int r = row; r < row + rows; ++r)
        std::fill_n(taken_.begin() + std::ptrdiff_t(r) * kMaxCount + col, cols, true);
}

int HtmlTableSlots::FreeWidth(int col, int row, int wanted) const
{
    int width = 1;
    while (width < wanted && !Taken(col + width, row)) ++width;
    return width;
}

int HtmlTableSlots::FreeHeight(int col, int row, int cols, int wanted) const
{
    int height = 1;
    for (; height < wanted; ++height)
        for (int c = col; c < col + cols; ++c)
            if (Taken(c, row + height)) return height;
    return height;
}

SlotPlacement HtmlTableSlots::Place(std::optional<qint64> colspan, std::optional<qint64> rowspan)
{
    if (row_ < 0) BeginRow();
    const int y = row_;
    int x = xcurrent_;
    if (y < kMaxCount)
        while (x < kMaxCount && Taken(x, y)) ++x;
    const int cols = Colspan(colspan);
    const int wantedRows = Rowspan(rowspan);
    const int rowsLeft = groupEnd_ - y;
    const int rows = wantedRows == 0 ? rowsLeft : std::min(wantedRows, rowsLeft);
    xcurrent_ = int(std::min<qint64>(qint64(x) + cols, kMaxColspan * kMaxRowspan));
    if (y < kMaxCount) width_ = std::max(width_, xcurrent_);

    SlotPlacement p;
    p.col = x;
    p.row = y;
    p.cutAtGroupEnd = wantedRows > rowsLeft;
    if (x >= kMaxCount || y >= kMaxCount) return p;
    p.kept = true;
    const int maxCols = std::min(cols, kMaxCount - x), maxRows = std::min(rows, kMaxCount - y);
    const int width = FreeWidth(x, y, maxCols);
    const int height = FreeHeight(x, y, width, maxRows);
    p.cutByOverlap = width < maxCols || height < maxRows;
    p.extraCols = width - 1;
    p.extraRows = height - 1;
    Take(x, y, width, height);
    return p;
}
