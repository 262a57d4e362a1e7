#pragma once
// Writing the table in other formats: the classic page, an HTML5 page, the table element
// alone, GitHub-flavoured Markdown, LaTeX, MediaWiki and comma-separated text. ExportTable is the one entry point;
// each result carries a report of what the format could not hold.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

class TableCore;

enum class ExportFormat { ClassicPage, Html5Page, Fragment, Markdown, LaTeX, MediaWiki, Csv };

struct ExportFormatInfo {
    ExportFormat format;
    const char* key;        // the name quillgrid-cli takes: "html5", "markdown", ...
    const char* name;       // what a menu shows
    const char* extension;  // without the dot
};

// Every format, in menu order.
const std::vector<ExportFormatInfo>& ExportFormats();
const ExportFormatInfo& ExportFormatOf(ExportFormat format);
std::optional<ExportFormat> ExportFormatFromKey(QStringView key);

struct ExportOptions {
    QByteArray title;          // the pages' title, UTF-8
    QString caption;           // plain text; empty for none
    QString language = QStringLiteral("en");  // the HTML5 page's lang
    bool headerRow = false;    // the first row as column headers
    bool headerColumn = false; // the first column as row headers
    bool classicFragment = false;  // Fragment: the classic page's table instead of the HTML5 one
};

// One thing the output does not hold as the table has it.
struct ExportReportItem {
    enum Kind {
        MergeFlattened,      // detail: "2x3", the merged block's columns x rows
        MarkupLeftOut,       // detail: the tag names, "span, img"
        LinkTargetLeftOut,   // detail: the address
        CharacterReplaced,   // detail: "U+2603"
        FormattingLeftOut,   // table-wide; detail: what, with the number of cells
        AlignmentLeftOut,    // cell alignment the column's alignment overrides; detail: "left"
        OptionNotHeld,       // table-wide; detail: the option ("caption", "header row", ...)
    };
    Kind kind;
    QString detail;
    int col = -1;  // -1: the whole table
    int row = -1;
    bool wholeTable() const { return col < 0; }
};

struct ExportReport {
    std::vector<ExportReportItem> items;
    void addTable(ExportReportItem::Kind kind, const QString& detail) { items.push_back({kind, detail}); }
    void addCell(int col, int row, ExportReportItem::Kind kind, const QString& detail)
    {
        items.push_back({kind, detail, col, row});
    }
    bool empty() const { return items.empty(); }
};

// One line of English for a report item, with its place: "cell (2, 3): ..." or "table: ...".
// The place as every report names it (CellPlaceName).
QString DescribeReportItem(const ExportReportItem& item);

struct ExportResult {
    QByteArray data;  // the file's bytes: UTF-8 text
    ExportReport report;
};

ExportResult ExportTable(const TableCore& table, ExportFormat format, const ExportOptions& options);
