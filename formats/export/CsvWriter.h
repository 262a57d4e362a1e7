#pragma once
// Comma-separated text out, as File > Export > CSV and quillgrid-cli write it: a merged cell's
// text in its top-left slot and the covered slots empty; <br> becomes a line break inside the
// field, other markup stays as written. UTF-8 with a byte-order mark (so that spreadsheets take
// it as UTF-8), CR LF after every record. formats/import/Csv.h reads it back.

#include <QByteArray>

class TableCore;

namespace Csv {
QByteArray Export(const TableCore& table);
}  // namespace Csv
