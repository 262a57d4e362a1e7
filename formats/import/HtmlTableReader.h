#pragma once
// One table of a parsed page read into a document of this program: its rows and cells by the
// HTML table model, their formatting and text, header cells, the caption, column widths, the
// table's properties, and a report of what could not be kept. Used through HtmlImport.

#include "formats/import/HtmlTree.h"
#include "formats/import/ImportReport.h"
#include "formats/import/ShownMarkup.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// The parts of a table element as the table model takes them.
struct HtmlTableShape {
    struct Row {
        const GumboNode* element = nullptr;
        std::vector<const GumboNode*> cells;  // td and th
    };
    struct Group {
        const GumboNode* element = nullptr;  // thead, tbody or tfoot
        std::vector<Row> rows;
    };
    const GumboNode* table = nullptr;
    const GumboNode* caption = nullptr;
    std::vector<Group> groups;                // footers last
    std::vector<const GumboNode*> columns;    // colgroup and col
    std::vector<const GumboNode*> strays;     // other elements between the rows and cells
};

HtmlTableShape ShapeOfTable(const GumboNode* table);
// The table that a one-cell table holds and nothing else (but a caption): that outer table is a
// frame, its spacing and background are the inner table's outer border and its caption the
// table's (the page this program writes draws its border so, the caption above it).
const GumboNode* FramedTable(const HtmlTableShape& shape);

struct HtmlTableRead {
    QByteArray document;  // in the document format, ready for TableCore::LoadFromBytes
    int cols = 0;
    int rows = 0;
    ImportReport report;
    bool unshownMarkup = false;  // a cell or the caption held markup the table does not show
};

// Reads `table` (through its frame, if it is one) into a document.
HtmlTableRead ReadHtmlTable(const HtmlTree& tree, const GumboNode* table, ImportMarkup markup);

// The size a table imports at and the plain text of its caption and first few cells, for
// choosing.
struct HtmlTableSummary {
    int cols = 0;
    int rows = 0;
    QStringList firstCells;
};
HtmlTableSummary SummarizeHtmlTable(const GumboNode* table);
