#include "formats/import/TablePaste.h"

#include "core/TableCore.h"
#include "formats/import/Csv.h"

#include <algorithm>

namespace {

// Every merged cell with a slot inside the area becomes single cells again.
void SplitMergedCellsIn(TableCore& table, int c1, int r1, int c2, int r2)
{
    for (int c = 0; c < table.ColCount; ++c)
        for (int r = 0; r < table.RowCount; ++r) {
            if (!table.IsVisibleCell(c, r) || !table.Cell(c, r).isMerged()) continue;
            const int ec = table.AreaLastCol(c, r), er = table.AreaLastRow(c, r);
            if (c <= c2 && ec >= c1 && r <= r2 && er >= r1) table.SplitCell(c, r);
        }
}

void NoteCut(ImportReport& report, int from, int to, const char* what)
{
    if (to < from) return;
    report.AddToTable(QStringLiteral("pasted %1 %2 to %3").arg(QLatin1String(what)).arg(from + 1).arg(to + 1),
                      QStringLiteral("a table holds at most %1 %2").arg(kMaxCount).arg(QLatin1String(what)));
}

}  // namespace

PasteResult PasteTable(TableCore& table, const QByteArray& document, int col, int row)
{
    PasteResult result;
    TableCore source;
    if (!source.LoadFromBytes(document, &result.error)) return result;
    if (col < 0 || row < 0 || col >= kMaxCount || row >= kMaxCount) {
        result.error = QStringLiteral("there is no cell to paste at");
        return result;
    }
    const int cols = std::min(source.ColCount, kMaxCount - col);
    const int rows = std::min(source.RowCount, kMaxCount - row);
    NoteCut(result.report, cols, source.ColCount - 1, "columns");
    NoteCut(result.report, rows, source.RowCount - 1, "rows");
    result.pasted = true;
    if (cols <= 0 || rows <= 0) return result;

    table.BeginUpdate();
    table.SetColCount(std::max(table.ColCount, col + cols));
    table.SetRowCount(std::max(table.RowCount, row + rows));
    const int c2 = col + cols - 1, r2 = row + rows - 1;
    SplitMergedCellsIn(table, col, row, c2, r2);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            TCell& target = table.Cell(col + c, row + r);
            const TCell& from = source.Cell(c, r);
            const TRect rect = target.Rect;
            const bool selected = target.Selected;
            target = from;  // header cells stay header cells
            target.Rect = rect;
            target.Selected = selected && from.Visible;  // a covered cell is never selected
            // Spans end at the pasted area's edge, which is the table's when it was cut.
            target.ExtraCols = std::min(from.ExtraCols, cols - 1 - c);
            target.ExtraRows = std::min(from.ExtraRows, rows - 1 - r);
        }
    // The table keeps its own caption and column widths: the pasted document's caption (a
    // clipboard table's) and widths are left out, since its columns land among columns whose
    // widths the table already has.
    table.ClampSpans();
    // The paste's top-left becomes the current cell, which also loads its new text into the
    // editor: an editor left with the old text would write it back over the pasted one.
    table.SelectCell(col, row);
    table.EndUpdate();
    return result;
}

bool ClipboardHoldsTable(const QString& html, const QString& plainText)
{
    return html.contains(QLatin1String("<table"), Qt::CaseInsensitive) || plainText.contains(QLatin1Char('\t'));
}

std::unique_ptr<HtmlImport> ClipboardPage(const QString& html)
{
    if (!html.contains(QLatin1String("<table"), Qt::CaseInsensitive)) return nullptr;
    // The toolkit hands the HTML over as text already; the byte-order mark says UTF-8 to the
    // importer, whatever charset the copied markup still names.
    return std::make_unique<HtmlImport>(QByteArray("\xEF\xBB\xBF") + html.toUtf8());
}

HtmlImportResult ClipboardTable(const QString& html, const QString& plainText, ImportMarkup markup)
{
    if (const std::unique_ptr<HtmlImport> page = ClipboardPage(html))
        for (const HtmlTableInfo& info : page->Tables())
            if (info.depth == 0) return page->Import(info.index, markup);
    if (plainText.contains(QLatin1Char('\t'))) return Csv::Import(plainText.toUtf8(), QLatin1Char('\t'), Csv::Fields::PlainText);
    HtmlImportResult none;
    none.error = QStringLiteral("the clipboard holds no table");
    return none;
}
