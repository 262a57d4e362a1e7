#pragma once
// Grid geometry and painting, apart from the widget: both work from the cell store, so the
// table control, the template preview, the tests and the benchmarks share them.

#include "core/TableCore.h"
#include "grid/TextMeasure.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace layout {

constexpr int kMinRowHeight = 16;

// Margins, gaps and the frame as the screen uses them. A document may hold any 32-bit value
// there; on screen they are held to a range in which no pixel arithmetic can overflow.
constexpr int kMaxScreenSpacing = 4096;
constexpr int kMaxScreenWidth = 32767;
inline int ScreenSpacing(int value)
{
    return value < -kMaxScreenSpacing ? -kMaxScreenSpacing
           : value > kMaxScreenSpacing ? kMaxScreenSpacing
                                       : value;
}
inline int FrameWidth(int value)
{
    return value < 0 ? 0 : value > kMaxScreenSpacing ? kMaxScreenSpacing : value;
}
constexpr int kCoveredCellHeight = 24;
constexpr int kHeaderBand = 3;  // the mark along a header cell's top
constexpr int kMeasureHeight = 10000;

// The height in pixels a cell needs, given its Rect's current width.
using CellHeightFn = std::function<int(int col, int row)>;

// Computes every cell's Rect for a client area `clientWidth` pixels wide and returns the
// client height the rows need. Nothing is done (and 0 returned) without rows or columns.
// `rowHeights` receives each row's height before row-spanning cells are considered. When
// `onlyRow` names a row and `rowHeights` holds the heights of the last layout of the same
// table, only that row's height is measured again: the caller knows nothing else changed.
int ComputeLayout(TableCore& table, int clientWidth, const CellHeightFn& cellHeight,
                  std::vector<int>* rowHeights = nullptr, int onlyRow = -1);

// The left and right edge of each column's cells for a client area `clientWidth` wide. A
// table without column widths shares the width out evenly, the last column taking what the
// division leaves; with widths, a pixel column is its width plus the text margins (as a
// page's WIDTH draws it), a per-cent column that share of the width the lines leave, and the
// automatic columns share the rest, at least kMinColumnWidth each.
constexpr int kMinColumnWidth = 8;
struct ColumnSpan {
    int left = 0;
    int right = 0;
};
std::vector<ColumnSpan> ColumnSpans(const TableCore& table, int clientWidth);
// The client width the columns need at least: for a table whose every column has a pixel
// width, exactly theirs (a page draws such a table no wider); 0 when the columns take any.
int ColumnsWidth(const TableCore& table);
// A pixel width for a column whose cells are `boxWidth` wide on screen, and back.
int PixelWidthOfBox(const TableCore& table, int boxWidth);

// The height of one row before row-spanning cells are considered.
int RowHeight(const TableCore& table, int row, const CellHeightFn& cellHeight);

// What a cell's text looks like on screen: its colour and horizontal alignment flags.
QColor ToQColor(TColor color);
int HorizontalFlags(int hAlign);
// Height of the wrapped text of a cell that is not being edited, margins included.
int MeasuredCellHeight(const TCell& cell, int margin, int borderWidth);

// Paints the cells whose Rect meets `exposed` (client coordinates) onto a surface that is
// already filled with the cells' border colour. The current cell's text is left to the
// in-place editor unless `drawCurrentText` is set.
void PaintCells(QPainter& painter, const TableCore& table, const QRect& exposed, bool enabled,
                bool drawCurrentText);

// The caption above the table: its height at a width, and its painting (as the cells show
// their text, as source).
int CaptionHeight(const TableCore& table, int width);
void PaintCaption(QPainter& painter, const TableCore& table, const QRect& band, const QColor& color);
void PaintCell(QPainter& painter, const TableCore& table, int col, int row, bool enabled,
               bool drawText);

}  // namespace layout
