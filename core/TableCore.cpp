#include "core/TableCore.h"

#include <algorithm>

TableCore::TableCore() = default;

TableCore::~TableCore()
{
    ClearHistory();
}

// ---- Table properties ----------------------------------------------------------------------

void TableCore::SetTableBorderColor(TColor color)
{
    tableBorderColor_ = color;
    TableBorderChanged();
}

void TableCore::SetTableBorderWidth(int width)
{
    // Stored as given, so that a document saves back unchanged; drawing holds the frame to
    // what a screen can show (layout::FrameWidth).
    tableBorderWidth_ = width;
    TableBorderChanged();
}

void TableCore::SetCellsBorderColor(TColor color)
{
    if (color == CellsBorderColor) return;
    CellsBorderColor = color;
    UpdateLayout();
}

void TableCore::SetCellsBorderWidth(int width)
{
    if (width == CellsBorderWidth) return;
    CellsBorderWidth = width;
    UpdateLayout();
}

void TableCore::SetCellsTextMargin(int margin)
{
    CellsTextMargin = margin;
    UpdateLayout();
}

void TableCore::SetTableWidth(TSizeSpec spec)
{
    if (spec == TableWidth) return;
    TableWidth = spec;
    UpdateWidth();
}

void TableCore::SetTableHeight(TSizeSpec spec)
{
    if (spec == TableHeight) return;
    TableHeight = spec;
    UpdateWidth();
}

void TableCore::InitCell(int col, int row, bool visible)
{
    if (!TCellArray::inStore(col, row)) return;
    Cells(col, row).reset(visible);
}

void TableCore::SetColCount(int n)
{
    n = std::clamp(n, 0, kMaxCount);
    if (n == ColCount) return;
    // Columns coming into use start as default cells; columns going out of use are reset.
    const int low = std::min(n, ColCount), high = std::max(n, ColCount);
    for (int c = low; c < high; ++c) {
        for (int r = 0; r < RowCount; ++r) InitCell(c, r, true);
        ColWidths[std::size_t(c)] = TSizeSpec{};
    }
    ColCount = n;
    ClampSpans();
    if (SelCol >= 0 && SelCol >= ColCount) SetSelCol(ColCount - 1);
    UpdateLayout();
}

void TableCore::SetRowCount(int n)
{
    n = std::clamp(n, 0, kMaxCount);
    if (n == RowCount) return;
    const int low = std::min(n, RowCount), high = std::max(n, RowCount);
    for (int c = 0; c < ColCount; ++c)
        for (int r = low; r < high; ++r) InitCell(c, r, true);
    RowCount = n;
    ClampSpans();
    if (SelRow >= 0 && SelRow >= RowCount) SetSelRow(RowCount - 1);
    UpdateLayout();
}

int TableCore::AreaLastCol(int col, int row) const
{
    if (!IsVisibleCell(col, row)) return col;
    return int(std::clamp<qint64>(qint64(col) + Cells(col, row).ExtraCols, col, ColCount - 1));
}

int TableCore::AreaLastRow(int col, int row) const
{
    if (!IsVisibleCell(col, row)) return row;
    return int(std::clamp<qint64>(qint64(row) + Cells(col, row).ExtraRows, row, RowCount - 1));
}

QPoint TableCore::CellCovering(int col, int row) const
{
    if (!InTable(col, row)) return QPoint(-1, -1);
    for (int c = col; c >= 0; --c)
        for (int r = row; r >= 0; --r)
            if (IsVisibleCell(c, r) && AreaLastCol(c, r) >= col && AreaLastRow(c, r) >= row) return QPoint(c, r);
    return QPoint(-1, -1);
}

void TableCore::ClampSpans()
{
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            TCell& cell = Cells(c, r);
            if (!cell.Visible) continue;
            cell.ExtraCols = AreaLastCol(c, r) - c;
            cell.ExtraRows = AreaLastRow(c, r) - r;
        }
}

void TableCore::BeginUpdate()
{
    ++updateDepth_;
}

void TableCore::EndUpdate()
{
    if (updateDepth_ > 0 && --updateDepth_ > 0) return;
    UpdateLayout();
}

void TableCore::ResetTable()
{
    BeginUpdate();
    SetTableBorderColor(0x808080);
    TableWidth.Units = TSizeSpec::Default;
    TableHeight.Units = TSizeSpec::Default;
    SetTableBorderWidth(1);
    CellsBorderWidth = 1;
    CellsBorderColor = 0xC0C0C0;
    CellsTextMargin = 3;
    Caption.clear();
    SetColCount(0);
    SetRowCount(0);
    SetColCount(2);
    SetRowCount(3);
    Changed = false;
    UpdateWidth();
    EndUpdate();
}

// ---- Current cell and selection --------------------------------------------------------------

bool TableCore::SelectCell(int col, int row)
{
    const bool ok = IsVisibleCell(col, row);
    FillingEditor = true;
    if (ok) {
        const bool samePosition = (col == SelCol && row == SelRow);
        SelCol = col;
        SelRow = row;
        Cells(col, row).Selected = true;
        LoadEditor(col, row, samePosition);
    } else {
        SelCol = -1;
        SelRow = -1;
        ResetSelection();
    }
    ShowEditor(ok);
    if (ok && FocusEditor()) NotifySelectionChange();
    UpdateLayout();
    FillingEditor = false;
    return ok;
}

void TableCore::SetSelCol(int col)
{
    SelectCell(col, SelRow);
    ResetSelection();
}

void TableCore::SetSelRow(int row)
{
    SelectCell(SelCol, row);
    ResetSelection();
}

bool TableCore::EnsureCurrentCell()
{
    if (InTable(SelCol, SelRow)) return true;
    return SelectCell(0, 0);
}

void TableCore::ResetSelection()
{
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) Cells(c, r).Selected = false;
    if (InTable(SelCol, SelRow)) Cells(SelCol, SelRow).Selected = true;
    NotifySelectionChange();
}

void TableCore::ToggleCellSelection(int col, int row)
{
    if (!IsVisibleCell(col, row)) return;
    if (col == SelCol && row == SelRow) return;
    TCell& cell = Cells(col, row);
    cell.Selected = !cell.Selected;
    NotifySelectionChange();
    UpdateLayout();
}

void TableCore::SelectRangeTo(int col, int row)
{
    if (!IsVisibleCell(col, row)) return;
    if (col == SelCol && row == SelRow) return;
    if (SelCol < 0 || SelRow < 0) SelectCell(0, 0);
    ResetSelection();
    int c1 = std::min(SelCol, col), c2 = std::max(SelCol, col);
    int r1 = std::min(SelRow, row), r2 = std::max(SelRow, row);
    ExpandToMerged(c1, r1, c2, r2);
    for (int c = std::max(c1, 0); c <= c2 && c < ColCount; ++c)
        for (int r = std::max(r1, 0); r <= r2 && r < RowCount; ++r)
            if (Cells(c, r).Visible) Cells(c, r).Selected = true;
    NotifySelectionChange();
    UpdateLayout();
}

void TableCore::SelectAllCells()
{
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) Cells(c, r).Selected = Cells(c, r).Visible;
    NotifySelectionChange();
    UpdateLayout();
}

int TableCore::SelectedCount() const
{
    int n = 0;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) n += Cells(c, r).Visible && Cells(c, r).Selected;
    return n;
}

void TableCore::MoveByTab(bool backward)
{
    if (!InTable(SelCol, SelRow)) return;
    int col = SelCol, row = SelRow;
    // At most one lap: the current cell itself is visible, so the walk ends.
    for (int step = 0; step < ColCount * RowCount; ++step) {
        col += backward ? -1 : 1;
        if (col < 0) {
            col = ColCount - 1;
            --row;
        } else if (col >= ColCount) {
            col = 0;
            ++row;
        }
        if (row < 0) row = RowCount - 1;
        else if (row >= RowCount) row = 0;
        if (IsVisibleCell(col, row)) break;
    }
    SelectCell(col, row);
    ResetSelection();
}

bool TableCore::MoveToNeighbour(int colStep, int rowStep)
{
    if (!IsVisibleCell(SelCol, SelRow)) return false;
    const int col = colStep > 0 ? AreaLastCol(SelCol, SelRow) + 1 : colStep < 0 ? SelCol - 1 : SelCol;
    const int row = rowStep > 0 ? AreaLastRow(SelCol, SelRow) + 1 : rowStep < 0 ? SelRow - 1 : SelRow;
    const QPoint cell = CellCovering(col, row);
    if (cell.x() < 0) return false;
    SelectCell(cell.x(), cell.y());
    ResetSelection();
    return true;
}

void TableCore::GetSelectionFormat(TCell& summary, TCellFields& mask) const
{
    mask = 0;
    if (SelCol < 0 || SelRow < 0) return;
    summary = Cells(SelCol, SelRow);
    mask = cfAllButText;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cells(c, r);
            if (!cell.Visible || !cell.Selected) continue;
            auto differs = [&mask](TCellFields bit, bool different) {
                if ((mask & bit) && different) {
                    mask &= ~bit;
                    return true;
                }
                return false;
            };
            if (differs(cfFontName, cell.FontName != summary.FontName)) summary.FontName.clear();
            if (differs(cfFontSize, cell.FontSize != summary.FontSize)) summary.FontSize = -1;
            if (differs(cfBold, cell.Bold != summary.Bold)) summary.Bold = false;
            if (differs(cfItalic, cell.Italic != summary.Italic)) summary.Italic = false;
            if (differs(cfFontColor, cell.FontColor != summary.FontColor))
                summary.FontColor = kMixedColor;
            if (differs(cfBgColor, cell.BgColor != summary.BgColor)) summary.BgColor = kMixedColor;
            if (differs(cfExtraCols, cell.ExtraCols != summary.ExtraCols)) summary.ExtraCols = -1;
            if (differs(cfExtraRows, cell.ExtraRows != summary.ExtraRows)) summary.ExtraRows = -1;
            if (differs(cfVAlign, cell.VAlign != summary.VAlign)) summary.VAlign = -1;
            if (differs(cfHAlign, cell.HAlign != summary.HAlign)) summary.HAlign = -1;
        }
}

bool TableCore::SetCellText(int col, int row, const QString& text)
{
    if (!IsVisibleCell(col, row)) return false;
    Cells(col, row).Text = text;
    if (col == SelCol && row == SelRow) SelectCell(col, row);
    else UpdateLayout();
    return true;
}
