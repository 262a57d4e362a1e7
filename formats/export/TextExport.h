#pragma once
// What the text formats share: the table-wide report of the formatting a format drops, the
// per-column alignment they fall back to, and the reading of every visible cell's markup.

#include "formats/export/CellMarkup.h"
#include "formats/export/Export.h"

#include <vector>

class TableCore;
class TableParts;

enum LostFeature : unsigned {
    lfBackground = 1,
    lfTextColor = 2,
    lfFontFace = 4,
    lfFontSize = 8,
    lfVerticalAlign = 16,
    lfTableSize = 32,
    lfLines = 64,        // colours and widths of the border and the lines between cells
    lfTextMargin = 128,
};

// One table-wide item for each feature among `features` that some cell (or the table) sets
// to other than its default, with the number of cells.
void ReportLostFormatting(const TableCore& table, unsigned features, ExportReport& report);

// Each column's most common horizontal alignment (0 left, 1 centre, 2 right) over the cells
// that begin in it and span one column.
std::vector<int> ColumnAlignments(const TableCore& table);

// The caption's markup, read; tags without a counterpart are reported for the table.
CellMarkup ReadCaption(const TableParts& parts, ExportReport& report);

// The visible cell's markup, read; tags without a counterpart are reported for the cell.
CellMarkup ReadCell(const TableCore& table, int col, int row, ExportReport& report);

// Links the format has no place for: their text stays, their targets are reported.
void ReportLinks(const CellMarkup& content, int col, int row, ExportReport& report);
