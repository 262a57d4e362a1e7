#pragma once
// Comma-separated text in: the one way the window, quillgrid-cli, the fuzzer and the
// benchmarks read it (formats/export/CsvWriter.h writes it).
//
// Reading follows RFC 4180 and what spreadsheets write: quoted fields may hold separators,
// doubled quotes and line breaks; the separator is comma, semicolon or tab, whichever splits
// the first records evenly; the bytes are UTF-8 (a byte-order mark is skipped) or, when they
// are not valid UTF-8, Windows-1252. Cell text is HTML source, so <, > and & of the data are
// escaped and the page shows what the sheet showed.

#include "formats/import/HtmlImport.h"

#include <QByteArray>

namespace Csv {
// Larger files are refused before they are read.
inline constexpr qsizetype kMaxFileSize = qsizetype(32) << 20;

// The table as a new document; r.document is empty and r.error says why when refused.
// A separator given is used as it is: tab for what spreadsheets put on the clipboard.
HtmlImportResult Import(const QByteArray& bytes, QChar separator = QChar());
// Files named *.csv, *.tsv or *.txt are read as separated values, anything else as HTML.
bool IsCsvFileName(const QString& path);
}  // namespace Csv
