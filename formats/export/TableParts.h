#pragma once
// What every output writes of the table's structure: which cells are header cells and what
// they head, the caption, and the column widths. The document decides; quillgrid-cli's
// --header-row, --header-col and --caption add to it.

#include "core/Cell.h"
#include "formats/export/Export.h"

#include <QString>

#include <vector>

class TableCore;

class TableParts {
public:
    TableParts(const TableCore& table, const ExportOptions& options);
    // The parts as the document has them, without options (the window's page).
    explicit TableParts(const TableCore& table);

    enum Scope { NoScope, ColScope, RowScope };
    // For the visible cell that begins at (col, row).
    bool header(int col, int row) const;
    // col for a header cell in a row of header cells, row for one in a column of them.
    Scope scope(int col, int row) const;
    // Rows from the top whose every cell is a header cell: the page's thead.
    int leadingHeaderRows() const { return leadingHeaderRows_; }
    bool anyHeader() const { return anyHeader_; }
    // Whether some header cell lies below the leading header rows.
    bool headersBelowTop() const { return headersBelowTop_; }

    // HTML source, like a cell's text; an option's plain text comes escaped. Empty for none.
    const QString& caption() const { return caption_; }
    TSizeSpec width(int col) const;
    bool anyWidth() const { return anyWidth_; }

    const TableCore& table() const { return t_; }

private:
    const TableCore& t_;
    std::vector<bool> headerRows_, headerCols_;
    QString caption_;
    int leadingHeaderRows_ = 0;
    bool anyHeader_ = false, headersBelowTop_ = false, anyWidth_ = false;
    void Read(bool firstRow, bool firstCol);
};

// The parts a format has no place for, as table-wide items of the report.
struct PartsHeld {
    bool caption = false;
    bool headers = false;
    bool widths = false;
};
void ReportPartsNotHeld(const TableParts& parts, PartsHeld held, ExportReport& report);
