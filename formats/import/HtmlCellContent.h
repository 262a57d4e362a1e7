#pragma once
// The content of one cell of a page's table. Elements that wrap the whole content and carry
// only formatting (font, b, i, a styled span...) become cell fields and leave the text; the
// rest stays as the page wrote it, taken from the page's own bytes, with each <br> as CR LF.

#include "formats/import/HtmlCellFormat.h"
#include "formats/import/HtmlTree.h"

#include <QString>

struct HtmlCellContent {
    QString text;
    CellFormat wrappers;       // what the removed wrappers set
    bool nestedTable = false;  // a table inside, kept as markup in the text
    bool script = false;       // a script or style sheet inside, kept in the text
};

// What of the wrappers becomes fields: every formatting wrapper (a cell), or only the bare
// span the HTML5 page puts around a text (a caption, which has no fields and keeps its
// formatting as markup).
enum class Unwrap { Formatting, BareSpan };

// `inheritedSize` is the font size the cell's relative CSS sizes refer to.
HtmlCellContent ReadCellContent(const HtmlTree& tree, const GumboNode* cell, int inheritedSize,
                                Unwrap unwrap = Unwrap::Formatting);

// The words of an element's text, blanks collapsed, at most `maxChars` characters.
QString PlainText(const GumboNode* element, int maxChars);
