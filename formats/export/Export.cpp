#include "formats/export/Export.h"

#include "core/CellPlace.h"
#include "core/TableCore.h"
#include "formats/export/CsvWriter.h"
#include "formats/export/Html5Writer.h"
#include "formats/export/HtmlPage.h"
#include "formats/export/HtmlWriter.h"
#include "formats/export/TableParts.h"
#include "formats/export/TextExport.h"
#include "formats/export/TextWriters.h"

const std::vector<ExportFormatInfo>& ExportFormats()
{
    static const std::vector<ExportFormatInfo> formats = {
        {ExportFormat::ClassicPage, "classic", "Classic HTML page", "htm"},
        {ExportFormat::Html5Page, "html5", "HTML5 page", "html"},
        {ExportFormat::Fragment, "fragment", "Table fragment", "html"},
        {ExportFormat::Markdown, "markdown", "Markdown", "md"},
        {ExportFormat::LaTeX, "latex", "LaTeX", "tex"},
        {ExportFormat::MediaWiki, "mediawiki", "MediaWiki", "wiki"},
        {ExportFormat::Csv, "csv", "CSV", "csv"},
    };
    return formats;
}

const ExportFormatInfo& ExportFormatOf(ExportFormat format)
{
    for (const ExportFormatInfo& info : ExportFormats())
        if (info.format == format) return info;
    return ExportFormats().front();
}

std::optional<ExportFormat> ExportFormatFromKey(QStringView key)
{
    for (const ExportFormatInfo& info : ExportFormats())
        if (key == QLatin1String(info.key)) return info.format;
    return std::nullopt;
}

QString DescribeReportItem(const ExportReportItem& item)
{
    QString what;
    switch (item.kind) {
    case ExportReportItem::MergeFlattened:
        what = QStringLiteral("merged cell (%1) flattened: its text is in the top-left slot").arg(item.detail);
        break;
    case ExportReportItem::MarkupLeftOut: what = QStringLiteral("markup left out: %1").arg(item.detail); break;
    case ExportReportItem::LinkTargetLeftOut:
        what = QStringLiteral("link written as text only: %1").arg(item.detail);
        break;
    case ExportReportItem::CharacterReplaced:
        what = QStringLiteral("character %1 cannot be written: it became \"?\"").arg(item.detail);
        break;
    case ExportReportItem::FormattingLeftOut: what = QStringLiteral("not kept: %1").arg(item.detail); break;
    case ExportReportItem::AlignmentLeftOut:
        what = QStringLiteral("%1 alignment not kept: the column's alignment applies").arg(item.detail);
        break;
    case ExportReportItem::OptionNotHeld:
        what = QStringLiteral("not possible in this format: %1").arg(item.detail);
        break;
    }
    if (item.wholeTable()) return QStringLiteral("table: ") + what;
    return CellPlaceName(item.col, item.row) + QStringLiteral(": ") + what;
}

namespace {

// CSV has no spans: a merged cell's text sits in its top-left slot.
void ReportMergesFlattened(const TableCore& table, ExportReport& report)
{
    for (int r = 0; r < table.RowCount; ++r)
        for (int c = 0; c < table.ColCount; ++c) {
            const TCell& cell = table.Cells(c, r);
            if (cell.Visible && cell.isMerged())
                report.addCell(c, r, ExportReportItem::MergeFlattened,
                               QStringLiteral("%1x%2").arg(cell.ExtraCols + 1).arg(cell.ExtraRows + 1));
        }
}

QByteArray ClassicTable(const TableParts& parts)
{
    HtmlWriter w(parts.table().TagsLowerCase);
    WriteClassicTable(w, parts);
    return w.Bytes();
}

}  // namespace

ExportResult ExportTable(const TableCore& table, ExportFormat format, const ExportOptions& given)
{
    // A caption is one line: a line break in it would end a wiki or Markdown table line.
    ExportOptions options = given;
    options.caption = given.caption.simplified();
    const TableParts parts(table, options);
    ExportResult result;
    switch (format) {
    case ExportFormat::ClassicPage: result.data = HTMLPage(parts, options.title); break;
    case ExportFormat::Html5Page: result.data = Html5Page(table, options); break;
    case ExportFormat::Fragment:
        result.data = options.classicFragment ? ClassicTable(parts) : Html5Table(parts);
        break;
    case ExportFormat::Markdown: result.data = MarkdownTable(parts, result.report); break;
    case ExportFormat::LaTeX: result.data = LatexDocument(parts, result.report); break;
    case ExportFormat::MediaWiki: result.data = MediaWikiTable(parts, result.report); break;
    case ExportFormat::Csv:
        ReportPartsNotHeld(parts, {}, result.report);
        ReportMergesFlattened(table, result.report);
        result.data = Csv::Export(table);
        break;
    }
    return result;
}
