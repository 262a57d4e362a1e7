#include "grid/TableLayout.h"

#include "core/Cell.h"
#include "grid/TextMeasure.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

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

namespace {

int TextMargins(const TableCore& table)
{
    return 2 * std::max(0, ScreenSpacing(table.CellsTextMargin));
}

// A column's width on screen, or -1 for an automatic column.
int FixedBoxWidth(const TableCore& table, int col, int available)
{
    const TSizeSpec w = table.ColWidths[std::size_t(col)];
    if (w.Units == TSizeSpec::Pixels) return std::min(w.Value, kMaxScreenWidth) + TextMargins(table);
    if (w.Units == TSizeSpec::Percent) return std::max(1, int(std::lround(double(w.Value) * std::max(0, available) / 100.0)));
    return -1;
}

}  // namespace

std::vector<ColumnSpan> ColumnSpans(const TableCore& table, int W)
{
    const int n = table.ColCount;
    const int b = ScreenSpacing(table.CellsBorderWidth);
    std::vector<ColumnSpan> spans(std::size_t(std::max(0, n)));
    if (n < 1) return spans;
    if (!table.HasColWidths()) {
        // Columns share the width; the last one takes what the division leaves over.
        const int P = (W - b) / n - b;
        for (int j = 0; j < n; ++j) {
            spans[std::size_t(j)].left = j * P + b;
            spans[std::size_t(j)].right = j < n - 1 ? spans[std::size_t(j)].left + P - b : W - b;
        }
        return spans;
    }
    const int available = W - (n + 1) * b;
    std::vector<int> widths(std::size_t(n), -1);
    int fixed = 0, automatic = 0;
    for (int j = 0; j < n; ++j) {
        widths[std::size_t(j)] = FixedBoxWidth(table, j, available);
        if (widths[std::size_t(j)] < 0) ++automatic;
        else fixed += widths[std::size_t(j)];
    }
    // Automatic columns share what the others leave; without any, the last column takes the
    // rest of a wider table.
    const int rest = available - fixed;
    int seen = 0;
    for (int j = 0; j < n; ++j) {
        int& w = widths[std::size_t(j)];
        if (w >= 0) continue;
        ++seen;
        const int share = rest / std::max(1, automatic);
        w = std::max(kMinColumnWidth, seen < automatic ? share : rest - share * (automatic - 1));
    }
    if (automatic == 0 && rest > 0 && table.TableWidth.Units != TSizeSpec::Default) widths.back() += rest;
    int x = b;
    for (int j = 0; j < n; ++j) {
        spans[std::size_t(j)] = {x, x + widths[std::size_t(j)]};
        x += widths[std::size_t(j)] + b;
    }
    return spans;
}

int ColumnsWidth(const TableCore& table)
{
    const int n = table.ColCount;
    if (n < 1 || !table.HasColWidths()) return 0;
    const int b = ScreenSpacing(table.CellsBorderWidth);
    int width = (n + 1) * b;
    for (int j = 0; j < n; ++j) {
        const TSizeSpec w = table.ColWidths[std::size_t(j)];
        if (w.Units != TSizeSpec::Pixels) return 0;
        width += std::min(w.Value, kMaxScreenWidth) + TextMargins(table);
    }
    return std::min(width, kMaxScreenWidth);
}

int PixelWidthOfBox(const TableCore& table, int boxWidth)
{
    return std::max(1, boxWidth - TextMargins(table));
}

int CaptionHeight(const TableCore& table, int width)
{
    if (table.Caption.isEmpty()) return 0;
    TCell cell;
    cell.Text = table.Caption;
    return WrappedTextHeight(cell, std::max(1, width - 4)) + 4;
}

void PaintCaption(QPainter& painter, const TableCore& table, const QRect& band, const QColor& color)
{
    if (table.Caption.isEmpty() || band.isEmpty()) return;
    TCell cell;
    cell.Text = table.Caption;
    const QRect text = band.adjusted(2, 2, -2, -2);
    const std::vector<LineSpan> lines = WrapLines(cell, cell.Text, std::max(1, text.width()));
    const int spacing = LineSpacing(cell);
    painter.save();
    painter.setClipRect(band);
    painter.setFont(CellFont(cell));
    painter.setPen(color);
    for (std::size_t i = 0; i < lines.size(); ++i)
        painter.drawText(QRect(text.left(), text.top() + int(i) * spacing, text.width(), spacing),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         cell.Text.mid(lines[i].start, lines[i].length));
    painter.restore();
}

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

    const std::vector<ColumnSpan> spans = ColumnSpans(table, W);
    for (int j = 0; j < n; ++j)
        for (int r = 0; r < m; ++r) {
            TRect& rect = table.Cell(j, r).Rect;
            rect.Left = spans[std::size_t(j)].left;
            rect.Right = spans[std::size_t(j)].right;
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
        // A zoomed font's glyphs may reach past its unzoomed line; the cell's clip still holds.
        const int flags = HorizontalFlags(cell.HAlign) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
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

    // A header cell shows a band along its top, in the selection colour, whatever its own
    // format: it says what the cell is without changing how the page draws it.
    if (cell.Header) {
        const QColor band = QGuiApplication::palette().color(QPalette::Highlight);
        painter.fillRect(QRect(cell.Rect.Left, cell.Rect.Top, cell.Rect.Right - cell.Rect.Left, kHeaderBand), band);
    }

    // Selected cells besides the current one: the selection colour, translucent over the
    // cell's own background, as grids show a range.
    const bool current = col == table.SelCol && row == table.SelRow;
    if (enabled && cell.Selected && !current) {
        QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
        highlight.setAlpha(90);
        painter.fillRect(ToQRect(cell.Rect), highlight);
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
