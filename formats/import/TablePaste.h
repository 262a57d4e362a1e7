#pragma once
// A table document pasted into a table with its top-left at (col, row): the table grows as
// needed up to kMaxCount columns and rows, the pasted cells replace those they land on,
// merged cells of the table that the pasted area cuts through are split first, merged cells
// of the pasted table keep their spans (cut at the table's edge), header cells stay header
// cells, and the pasted top-left cell becomes the current one. The pasted caption and column
// widths are left out: the table keeps its own. The caller wraps it in one TableEdit. The
// report says what did not fit; a refused document changes nothing.

#include "formats/import/HtmlImport.h"
#include "formats/import/ImportReport.h"

#include <QByteArray>
#include <QString>

#include <memory>

class TableCore;

struct PasteResult {
    bool pasted = false;
    QString error;  // why not, when nothing was pasted
    ImportReport report;
};

PasteResult PasteTable(TableCore& table, const QByteArray& document, int col, int row);

// The clipboard type of the program's own cells: the document bytes of the copied rectangle,
// which Paste Table takes before the HTML and the text, losing nothing.
inline constexpr char kCellsMimeType[] = "application/x-quillgrid-cells";

// What a clipboard offers as a table: the first outermost table of its HTML (what browsers and
// spreadsheets put there), else its plain text when that has tab-separated fields. Refused
// (imported false, with the reason) when it holds neither.
HtmlImportResult ClipboardTable(const QString& html, const QString& plainText,
                                ImportMarkup markup = ImportMarkup::AsWritten);
// The clipboard's HTML as a page to choose a table from; nothing when it names no table.
std::unique_ptr<HtmlImport> ClipboardPage(const QString& html);
// The same test without the import, cheap enough to run whenever the clipboard changes.
bool ClipboardHoldsTable(const QString& html, const QString& plainText);
