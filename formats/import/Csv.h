#pragma once
// Comma-separated text in and out: the one way the window, quillgrid-cli, the fuzzer and the
// benchmarks read and write it.
//
// Reading follows RFC 4180 and what spreadsheets write: quoted fields may hold separators,
// doubled quotes and line breaks; the separator is comma, semicolon or tab, whichever splits
// the first records evenly; the bytes are UTF-8 (a byte-order mark is skipped) or, when they
// are not valid UTF-8, Windows-1252. Cell text is HTML source, so <, > and & of the data are
// escaped and the page shows what the sheet showed.
//
// Writing puts a merged cell's text in its top-left slot and leaves the covered slots empty;
// <br> becomes a line break inside the field, other markup stays as written. UTF-8 with a
// byte-order mark (so that spreadsheets take it as UTF-8), CR LF after every record.

#include "tables/HtmlImport.h"

#include <QByteArray>

class TableCore;

struct Csv {
    // Larger files are refused before they are read.
    static constexpr qsizetype kMaxFileSize = qsizetype(32) << 20;

    // The table as a new document; r.document is empty and r.error says why when refused.
    // A separator given is used as it is: tab for what spreadsheets put on the clipboard.
    static HtmlImportResult Import(const QByteArray& bytes, QChar separator = QChar());
    static QByteArray Export(const TableCore& table);
    // Files named *.csv, *.tsv or *.txt are read as separated values, anything else as HTML.
    static bool IsCsvFileName(const QString& path);
};
