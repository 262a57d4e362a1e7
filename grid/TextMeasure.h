#pragma once
// Word-wrapped text in a cell: where its lines break and how tall it is. The grid measures and
// draws cell text through this one place, so the height a row is given and the lines painted
// into it always agree.
//
// Lines break at hard line breaks (CR LF, and a lone CR or LF) and between words; a word wider
// than the line is broken between characters. Word widths are measured once per font and kept,
// and a cell keeps the height it was last measured at, so that a layout after a small change
// costs little more than a walk over the cells.

#include "core/Cell.h"

#include <QFont>
#include <QPoint>
#include <QString>

#include <vector>

class QPainter;

namespace layout {

struct LineSpan {
    int start = 0;
    int length = 0;
    int width = 0;  // in pixels, as the words and the blanks between them were measured
};

// Font of a cell's text on screen.
QFont CellFont(const TCell& cell);

// The lines of `text` wrapped at `width` pixels in the cell's font.
std::vector<LineSpan> WrapLines(const TCell& cell, const QString& text, int width);
// Height of the cell's wrapped text at `width`; remembered in the cell until its text, font or
// width changes.
int WrappedTextHeight(const TCell& cell, int width);
// The distance from one line's top to the next.
int LineSpacing(const TCell& cell);
// The cell's screen font, made once per name, size and style, not once per painted cell.
const QFont& MeasuredFont(const TCell& cell);
// Draws one wrapped line of the cell's text with its top left at `topLeft`, its words placed
// as the wrapping measured them, in the painter's pen; the painter's font must be the cell's.
void DrawLine(QPainter& painter, const TCell& cell, QStringView line, QPoint topLeft);

// Forgets every remembered width (tests use it to compare with a fresh measurement).
void ClearMeasureCaches();

}  // namespace layout
