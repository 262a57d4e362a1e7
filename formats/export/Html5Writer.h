#pragma once
// The table as HTML5: one <table> with the formatting as inline CSS, alone (a fragment) or in
// a page that validates and, in a browser, looks like the classic page.

#include "formats/export/Export.h"

#include <QByteArrayView>

class TableCore;
class TableParts;
struct TCell;

QByteArray Html5Table(const TableCore& table, const ExportOptions& options);
QByteArray Html5Table(const TableParts& parts);
QByteArray Html5Page(const TableCore& table, const ExportOptions& options);

// The CSS font-family value a FONT FACE attribute with this name amounts to in a browser:
// the comma-separated names quoted, generic families left bare; empty when a browser would
// not take the list (it then keeps the default font).
QByteArray CssFontFamily(const QByteArray& face);

// The pixel size a browser gives a FONT SIZE value (1..7 absolute, negative relative to 3,
// clamped), in a face that is the generic monospace alone or in any other.
int HtmlFontPixels(int fontSize, bool monospace);
// The step 1..7 of the seven HTML font sizes a FONT SIZE value amounts to.
int HtmlFontStep(int fontSize);

// The inline CSS of the table and of a cell, which the wiki table shares.
QByteArray Html5TableStyle(const TableCore& table);
QByteArray Html5CellStyle(const TableCore& table, const TCell& cell, bool header);
// The same appended to `out`, with the cell's face already read (CssFontFamily).
void AppendCellStyle(QByteArray& out, const TableCore& table, const TCell& cell, bool header, QByteArrayView family);
