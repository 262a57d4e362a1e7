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

// Whether formatting wrappers become fields and the blanks around the content go (a cell), or
// the content stays exactly as the page wrote it (a caption, which has no fields: its
// formatting stays markup, and blanks in the source show as nothing anyway).
enum class Unwrap { Formatting, None };

// `inheritedSize` is the font size the cell's relative CSS sizes refer to.
HtmlCellContent ReadCellContent(const HtmlTree& tree, const GumboNode* cell, int inheritedSize,
                                Unwrap unwrap = Unwrap::Formatting);

// The words of an element's text, blanks collapsed, at most `maxChars` characters.
QString PlainText(const GumboNode* element, int maxChars);
