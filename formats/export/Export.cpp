#include "formats/export/Export.h"

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

const std::vector<ReportWord>& ReportWordKeys()
{
    static const std::vector<ReportWord> words = {
        // The sentence of each kind of item; %1 is its detail.
        {"repmerge", "merged cell (%1) flattened: its text is in the top-left slot"},
        {"repmarkup", "markup left out: %1"},
        {"repcaptionmarkup", "markup left out: caption: %1"},
        {"replink", "link written as text only: %1"},
        {"repchar", "character %1 cannot be written: it became \"?\""},
        {"repformat", "not kept: %1"},
        {"repalign", "%1 alignment not kept: the column's alignment applies"},
        {"repoption", "not possible in this format: %1"},
        // The places, and the count of cells after a formatting detail.
        {"reptable", "table: %1"},
        {"repcell", "cell (%1, %2): %3"},
        {"repcells", "%1 (%2 cells)"},
        {"repcell1", "%1 (1 cell)"},
        // The fixed phrases the formats use as details.
        {"repbackgrounds", "background colours"},
        {"reptextcolours", "text colours"},
        {"repfontfaces", "font faces"},
        {"repfontsizes", "font sizes"},
        {"repvalign", "vertical alignment"},
        {"reptablesize", "table width and height"},
        {"replines", "border and cell line colours and widths"},
        {"repmargin", "cell text margin"},
        {"repborder", "the table border, drawn like the cell lines"},
        {"repnoheader", "a table without a header row: the first row is the header"},
        {"replowheaders", "header cells below the first row: written as ordinary cells"},
        {"repcaption", "a caption"},
        {"repheaders", "header cells: written as ordinary cells"},
        {"repwidths", "column widths"},
        {"repleft", "left"},
        {"repcentre", "centre"},
        {"repright", "right"},
    };
    return words;
}

namespace {

// The words of `key` in `words`, or its English.
QString Word(const ReportWords& words, const char* key)
{
    const auto found = words.constFind(QLatin1String(key));
    if (found != words.constEnd()) return *found;
    for (const ReportWord& word : ReportWordKeys())
        if (qstrcmp(word.key, key) == 0) return QString::fromUtf8(word.english);
    return QString();
}

// A detail that is one of the fixed phrases, in `words`; any other detail (tag names, an
// address, a character) as it is.
QString Phrase(const ReportWords& words, const QString& detail)
{
    if (words.isEmpty()) return detail;
    for (const ReportWord& word : ReportWordKeys())
        if (detail == QLatin1String(word.english)) return Word(words, word.key);
    return detail;
}

}  // namespace

QString DescribeReportItem(const ExportReportItem& item, const ReportWords& words)
{
    const char* sentence = "";
    switch (item.kind) {
    case ExportReportItem::MergeFlattened: sentence = "repmerge"; break;
    case ExportReportItem::MarkupLeftOut: sentence = item.wholeTable() ? "repcaptionmarkup" : "repmarkup"; break;
    case ExportReportItem::LinkTargetLeftOut: sentence = "replink"; break;
    case ExportReportItem::CharacterReplaced: sentence = "repchar"; break;
    case ExportReportItem::FormattingLeftOut: sentence = "repformat"; break;
    case ExportReportItem::AlignmentLeftOut: sentence = "repalign"; break;
    case ExportReportItem::OptionNotHeld: sentence = "repoption"; break;
    }
    QString detail = Phrase(words, item.detail);
    if (item.cells == 1) detail = Word(words, "repcell1").arg(detail);
    else if (item.cells > 1) detail = Word(words, "repcells").arg(detail, QString::number(item.cells));
    const QString what = Word(words, sentence).arg(detail);
    if (item.wholeTable()) return Word(words, "reptable").arg(what);
    return Word(words, "repcell").arg(QString::number(item.col + 1), QString::number(item.row + 1), what);
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
