#pragma once
// The formatting that the elements of a page's table give its cells, read from presentational
// attributes and inline style alike, and what of it a cell of this program cannot hold.

#include "core/Cell.h"
#include "formats/import/HtmlTree.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

// The cell fields one element sets; unset fields come from the elements around it.
struct CellFormat {
    std::optional<TColor> background;
    std::optional<TColor> color;
    std::optional<QByteArray> face;
    std::optional<int> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<int> hAlign;
    std::optional<int> vAlign;

    // This format with the fields it leaves unset taken from `outer`.
    CellFormat Over(const CellFormat& outer) const;
    bool IsEmpty() const;
    // The fields a cell's content inherits: all but the background, which belongs to a box.
    CellFormat Inherited() const;
    void ApplyTo(TCell& cell) const;
};

// Something an element says that its cells cannot hold.
struct Unread {
    QString what;
    QString why;
};

enum class FormatRole {
    Table,    // the table element: its background and the text formats its cells inherit
    Group,    // thead, tbody, tfoot
    Row,      // tr
    Cell,     // td, th, caption
    Wrapper,  // an element around the whole content of a cell: font, b, i, span, div...
};

struct ElementFormat {
    CellFormat format;
    std::vector<Unread> unread;
    std::optional<int> padding;  // a cell's CSS padding in pixels, the same on every side
};

// Reads one element. Attributes and style properties named in `handled` belong to the caller
// (spans, table sizes, borders) and are neither read nor reported. `inheritedSize` is the font
// size that relative CSS sizes refer to.
ElementFormat ReadElementFormat(const GumboNode* element, FormatRole role, int inheritedSize,
                                std::initializer_list<const char*> handled = {});

// Whether a tag can wrap a cell's content and become cell fields.
bool IsWrapperTag(GumboTag tag);
