#pragma once
// Comma-separated text in: the one way the window, quillgrid-cli, the fuzzer and the
// benchmarks read it (formats/export/CsvWriter.h writes it).
//
// Reading follows RFC 4180 and what spreadsheets write: quoted fields may hold separators,
// doubled quotes and line breaks; the separator is comma, semicolon or tab, whichever splits
// the first records evenly (counted outside quoted fields); the text is UTF-16 or UTF-8 after
// a byte-order mark, else UTF-8 when it is valid UTF-8 and Windows-1252 when it is not.
//
// A field is a cell's text as the cell holds it, HTML source, so that the CSV this program
// writes reads back to the same texts: nothing is escaped and line ends stay as written.
// Fields::PlainText reads the fields as data instead (what a spreadsheet puts on the
// clipboard): <, > and & become entities, and every line end a line break of the cell.
// NUL characters, which a document cannot hold, become U+FFFD and are reported.

#include "formats/import/HtmlImport.h"

#include <QByteArray>

namespace Csv {
// Larger files are refused before they are read.
inline constexpr qsizetype kMaxFileSize = qsizetype(32) << 20;

enum class Fields { Source, PlainText };

// The table as a new document; r.document is empty and r.error says why when refused.
// A separator given is used as it is: tab for what spreadsheets put on the clipboard.
HtmlImportResult Import(const QByteArray& bytes, QChar separator = QChar(), Fields fields = Fields::Source);
// Files named *.csv, *.tsv or *.txt are read as separated values, anything else as HTML.
bool IsCsvFileName(const QString& path);
}  // namespace Csv
