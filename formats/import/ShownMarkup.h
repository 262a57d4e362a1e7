#pragma once
// What an import does with the markup of a page's cells that the table does not show: keep it
// as the page wrote it, or keep only what a cell shows (text, line breaks, links, bold,
// italic, subscript and superscript), which leaves classes, ids, styles, spans, paragraphs and
// the like out of the cell's text.

#include <QString>

struct GumboInternalNode;

enum class ImportMarkup { AsWritten, ShownOnly };

// How a report says what became of such markup: "markup the table does not show: " and then
// what was done with it.
inline constexpr char kUnshownMarkup[] = "markup the table does not show";
QString UnshownMarkupFate(ImportMarkup markup);

// The content of an element as that shown-only markup: text and character references as the
// page wrote them with blanks collapsed, <br> and the ends of blocks (paragraphs, list items,
// rows of a nested table) as the cell's line break CR LF, links with their address alone,
// <b> <strong> <i> <em> <sub> <sup> without attributes, and no element left empty; scripts,
// style sheets and images leave nothing.
QString ShownMarkup(const GumboInternalNode* element);
