#include "formats/export/TableParts.h"

#include "core/CellText.h"
#include "core/TableCore.h"

TableParts::TableParts(const TableCore& table, const ExportOptions& options) : t_(table)
{
    caption_ = options.caption.isEmpty() ? table.Caption : EscapeText(options.caption);
    Read(options.headerRow, options.headerColumn);
}

TableParts::TableParts(const TableCore& table) : t_(table), caption_(table.Caption)
{
    Read(false, false);
}

void TableParts::Read(bool firstRow, bool firstCol)
{
    headerRows_.assign(std::size_t(std::max(0, t_.RowCount)), false);
    headerCols_.assign(std::size_t(std::max(0, t_.ColCount)), false);
    for (int r = 0; r < t_.RowCount; ++r) headerRows_[std::size_t(r)] = (firstRow && r == 0) || t_.IsHeaderRow(r);
    for (int c = 0; c < t_.ColCount; ++c) headerCols_[std::size_t(c)] = (firstCol && c == 0) || t_.IsHeaderColumn(c);
    while (leadingHeaderRows_ < t_.RowCount && headerRows_[std::size_t(leadingHeaderRows_)]) ++leadingHeaderRows_;
    for (int c = 0; c < t_.ColCount; ++c)
        for (int r = 0; r < t_.RowCount; ++r)
            if (t_.Cell(c, r).Visible && header(c, r)) {
                anyHeader_ = true;
                if (r >= leadingHeaderRows_) headersBelowTop_ = true;
            }
    for (int c = 0; c < t_.ColCount; ++c) anyWidth_ = anyWidth_ || width(c).Units != TSizeSpec::Default;
}

bool TableParts::header(int col, int row) const
{
    return t_.Cell(col, row).Header || headerRows_[std::size_t(row)] || headerCols_[std::size_t(col)];
}

TableParts::Scope TableParts::scope(int col, int row) const
{
    if (headerRows_[std::size_t(row)]) return ColScope;
    if (headerCols_[std::size_t(col)]) return RowScope;
    return NoScope;
}

TSizeSpec TableParts::width(int col) const
{
    return t_.ColWidths[std::size_t(col)];
}

void ReportPartsNotHeld(const TableParts& parts, PartsHeld held, ExportReport& report)
{
    if (!parts.caption().isEmpty() && !held.caption) report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("a caption"));
    if (parts.anyHeader() && !held.headers)
        report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("header cells: written as ordinary cells"));
    if (parts.anyWidth() && !held.widths) report.addTable(ExportReportItem::OptionNotHeld, QStringLiteral("column widths"));
}
