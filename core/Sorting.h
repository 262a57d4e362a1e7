#pragma once
// Sorting the rows of a table by one or two columns: numbers where both values read as
// numbers, text by a collation otherwise; stable, header rows at the top staying there, whole
// rows moving with their formats. Refused, naming the cell, when a merged cell spans rows
// inside the range.

#include <QCollator>
#include <QString>

#include <vector>

class TableCore;

struct SortKey {
    int col = 0;
    bool ascending = true;
};

// Sorts rows first..last (all rows when last < 0). Empty when done; otherwise why not, and
// nothing changed. The caller opens the TableEdit that makes it one undo step.
QString SortRows(TableCore& table, int first, int last, const std::vector<SortKey>& keys, const QCollator& collator);
// The collation sorting uses for a language ("de", "fr", ...): numbers inside texts compare
// as numbers, case second.
QCollator SortCollator(const QString& language);
