#pragma once
// The content of one cell of a page's table. Elements that wrap the whole content and carry
// only formatting (font, b, i, a styled span...) become cell fields and leave the text; the
// rest stays as the page wrote it, taken from the page's own bytes, with each <br> as CR LF.

#include "formats/import/HtmlCellFormat.h"
#include "formats/import/HtmlTree.h"
#include "formats/import/ShownMarkup.h"

#include <QString>

struct HtmlCellContent {
    QString text;
    CellFormat wrappers;       // what the removed wrappers set
    bool nestedTable = false;  // a table inside, kept as markup in the text
    bool script = false;       // a script or style sheet inside, kept in the text
    // The page's markup holds more than the cell shows (classes, spans, paragraphs...), which
    // stayed in the text or was left out, as asked.
    bool unshownMarkup = false;
};

// Whether formatting wrappers become fields and the blanks around the content go (a cell), or
// the content stays exactly as the page wrote it (a caption, which has no fields: its
// formatting stays markup, and blanks in the source show as nothing anyway).
enum class Unwrap { Formatting, None };

// `inheritedSize` is the font size the cell's relative CSS sizes refer to.
// With ImportMarkup::ShownOnly the text is its ShownMarkup, and nested tables and scripts leave
// their markup behind.
HtmlCellContent ReadCellContent(const HtmlTree& tree, const GumboNode* cell, int inheritedSize,
                                Unwrap unwrap = Unwrap::Formatting,
                                ImportMarkup markup = ImportMarkup::AsWritten);

// The words of an element's text, blanks collapsed, at most `maxChars` characters.
QString PlainText(const GumboNode* element, int maxChars);
