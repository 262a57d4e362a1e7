#pragma once
// Comma-separated text out, as File > Export > CSV and quillgrid-cli write it: each cell's text
// as it stands (HTML source, its line breaks inside the quoted field), a merged cell's text in
// its top-left slot and the covered slots empty. UTF-8 with a byte-order mark (so that
// spreadsheets take it as UTF-8), CR LF after every record. formats/import/Csv.h reads it
// back to the same texts.

#include <QByteArray>

class TableCore;

namespace Csv {
QByteArray Export(const TableCore& table);
// The same fields separated by tabs, a line feed after each record and no byte-order mark:
// the plain text a copy of cells puts on the clipboard.
QByteArray TabSeparated(const TableCore& table);
}  // namespace Csv
