#pragma once
// A table document pasted into a table with its top-left at (col, row): the table grows as
// needed up to kMaxCount columns and rows, the pasted cells replace those they land on,
// merged cells of the table that the pasted area cuts through are split first, and merged
// cells of the pasted table keep their spans (cut at the table's edge). The caller wraps it in
// one TableEdit. The report says what did not fit; a refused document changes nothing.

#include "tables/ImportReport.h"

#include <QByteArray>

class TableCore;

struct PasteResult {
    bool pasted = false;
    QString error;  // why not, when nothing was pasted
    ImportReport report;
};

PasteResult PasteTable(TableCore& table, const QByteArray& document, int col, int row);
