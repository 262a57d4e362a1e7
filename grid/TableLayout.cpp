#include "grid/TableLayout.h"

#include "core/Cell.h"
#include "grid/TextMeasure.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace layout {

namespace {

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QRect Shrunk(const TRect& r, int by)
{
    return QRect(r.Left + by, r.Top + by, r.Right - r.Left - 2 * by, r.Bottom - r.Top - 2 * by);
}

// Every row below `row` moves down by `delta`, and `row` itself grows by it, in every column.
void GrowRows(TableCore& table, int row, int delta)
{
    for (int c = 0; c < table.ColCount; ++c) {
        table.Cell(c, row).Rect.Bottom += delta;
        for (int r = row + 1; r < table.RowCount; ++r) {
            TRect& rect = table.Cell(c, r).Rect;
            rect.Top += delta;
            rect.Bottom += delta;
        }
    }
}

void ApplyVerticalSpans(TableCore& table)
{
    for (int c = 0; c < table.ColCount; ++c)
        for (int r = 0; r < table.RowCount; ++r) {
            TCell& cell = table.Cell(c, r);
            if (cell.Visible && cell.ExtraRows > 0)
                cell.Rect.Bottom = table.Cell(c, table.AreaLastRow(c, r)).Rect.Bottom;
        }
}

}  // namespace

int RowHeight(const TableCore& table, int row, const CellHeightFn& cellHeight)
{
    if (row < 0 || row >= table.RowCount) return kMinRowHeight;
    int height = kMinRowHeight;
    for (int c = 0; c < table.ColCount; ++c) {
        const TCell& cell = table.Cell(c, row);
        if (cell.Visible && cell.ExtraRows != 0) continue;
        height = std::max(height, cell.Visible ? cellHeight(c, row) : kCoveredCellHeight);
    }
    return height;
}

int ComputeLayout(TableCore& table, int clientWidth, const CellHeightFn& cellHeight,
                  std::vector<int>* rowHeights, int onlyRow)
{
    const int n = table.ColCount, m = table.RowCount;
    if (n < 1 || m < 1) return 0;
    const int b = ScreenSpacing(table.CellsBorderWidth);
    const int W = clientWidth;

    // Columns share the width; the last one takes what the division leaves over.
    const int P = (W - b) / n - b;
    for (int j = 0; j < n; ++j) {
        const int left = j * P + b;
        const int right = (j < n - 1) ? left + P - b : W - b;
        for (int r = 0; r < m; ++r) {
            TRect& rect = table.Cell(j, r).Rect;
            rect.Left = left;
            rect.Right = right;
        }
    }
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < m; ++r) {
            TCell& cell = table.Cell(c, r);
            if (cell.Visible && cell.ExtraCols > 0)
                cell.Rect.Right = table.Cell(table.AreaLastCol(c, r), r).Rect.Right;
        }

    const bool reuse = rowHeights && onlyRow >= 0 && int(rowHeights->size()) == m;
    if (rowHeights && !reuse) rowHeights->assign(std::size_t(m), 0);
    int y = 0, h = 0;
    for (int r = 0; r < m; ++r) {
        y += h + b;
        if (reuse && r != onlyRow) h = (*rowHeights)[std::size_t(r)];
        else h = RowHeight(table, r, cellHeight);
        if (rowHeights) (*rowHeights)[std::size_t(r)] = h;
        for (int c = 0; c < n; ++c) {
            TRect& rect = table.Cell(c, r).Rect;
            rect.Top = y;
            rect.Bottom = y + h;
        }
    }
    ApplyVerticalSpans(table);

    // A row-spanning cell that needs more room than its rows give grows its last row. What
    // it has is read from the last row as it stands now, so that two spanning cells over
    // the same rows do not both add the same missing pixels.
    for (int r = 0; r < m; ++r)
        for (int c = 0; c < n; ++c) {
            const TCell& cell = table.Cell(c, r);
            if (!cell.Visible || cell.ExtraRows <= 0) continue;
            const int last = table.AreaLastRow(c, r);
            const int need = cellHeight(c, r);
            const int have = table.Cell(c, last).Rect.Bottom - cell.Rect.Top;
            if (have < need) GrowRows(table, last, need - have);
        }
    ApplyVerticalSpans(table);

    return table.Cell(0, m - 1).Rect.Bottom + b;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ResolveColor(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

int HorizontalFlags(int hAlign)
{
    switch (hAlign) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

int MeasuredCellHeight(const TCell& cell, int margin, int borderWidth)
{
    const int width = cell.Rect.Right - cell.Rect.Left - 2 * margin;
    return WrappedTextHeight(cell, std::max(1, width)) + 2 * (margin + borderWidth);
}

void PaintCell(QPainter& painter, const TableCore& table, int col, int row, bool enabled,
               bool drawText)
{
    if (!table.IsVisibleCell(col, row)) return;
    const TCell& cell = table.Cell(col, row);
    const int g = ScreenSpacing(table.CellsTextMargin);
    painter.fillRect(ToQRect(cell.Rect), ToQColor(cell.BgColor));

    const QColor fontColor = ToQColor(cell.FontColor);
    if (drawText && !cell.Text.isEmpty()) {
        const QRect clip = Shrunk(cell.Rect, g);
        const std::vector<LineSpan> lines = WrapLines(cell, cell.Text, std::max(1, clip.width()));
        const int spacing = LineSpacing(cell);
        const int h = int(lines.size()) * spacing;
        int top = clip.top();
        if (cell.VAlign == 1) top += (clip.height() - h) / 2;
        else if (cell.VAlign == 2) top = clip.bottom() + 1 - h;
        const int flags = HorizontalFlags(cell.HAlign) | Qt::AlignTop | Qt::TextSingleLine;
        painter.save();
        painter.setClipRect(clip);
        painter.setFont(CellFont(cell));
        painter.setPen(fontColor);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int y = top + int(i) * spacing;
            if (y > clip.bottom() || y + spacing < clip.top()) continue;
            const QRect line(clip.left(), y, clip.width(), spacing);
            painter.drawText(line, flags, cell.Text.mid(lines[i].start, lines[i].length));
        }
        painter.restore();
    }

    if (enabled && cell.Selected) {
        const QRect focus = Shrunk(cell.Rect, g - 1);
        painter.save();
        painter.setPen(QPen(fontColor, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(focus.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void PaintCells(QPainter& painter, const TableCore& table, const QRect& exposed, bool enabled,
                bool drawCurrentText)
{
    for (int c = 0; c < table.ColCount; ++c) {
        const TRect& column = table.Cell(c, 0).Rect;
        if (column.Left > exposed.right() + 1 && c > 0) {
            // Columns are ordered left to right, but a merged cell may reach back; only its
            // anchor's column matters, which lies further left, so nothing beyond here can.
            break;
        }
        for (int r = 0; r < table.RowCount; ++r) {
            const TCell& cell = table.Cell(c, r);
            if (!cell.Visible) continue;
            if (!ToQRect(cell.Rect).intersects(exposed)) continue;
            const bool isCurrent = (c == table.SelCol && r == table.SelRow);
            PaintCell(painter, table, c, r, enabled, drawCurrentText || !isCurrent);
        }
    }
}

}  // namespace layout
