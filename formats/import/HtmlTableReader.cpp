#include "formats/import/HtmlTableReader.h"

#include "core/DocumentFormat.h"
#include "formats/import/HtmlCellContent.h"
#include "formats/import/HtmlCellFormat.h"
#include "formats/import/HtmlTableSlots.h"
#include "formats/import/HtmlValues.h"

#include <algorithm>

using namespace HtmlValues;

// ---- The parts of a table ----------------------------------------------------------------------

namespace {

bool IsCell(const GumboNode* node)
{
    return Html::Is(node, GUMBO_TAG_TD) || Html::Is(node, GUMBO_TAG_TH);
}

// Elements other than the table's own parts; text and comments there are the page's layout.
void AddStray(const GumboNode* node, HtmlTableShape& shape)
{
    if (node->type == GUMBO_NODE_ELEMENT) shape.strays.push_back(node);
}

HtmlTableShape::Row RowOf(const GumboNode* tr, HtmlTableShape& shape)
{
    HtmlTableShape::Row row{tr, {}};
    const GumboVector& children = *Html::Children(tr);
    for (unsigned i = 0; i < children.length; ++i) {
        const GumboNode* child = Html::At(children, i);
        if (IsCell(child)) row.cells.push_back(child);
        else AddStray(child, shape);
    }
    return row;
}

HtmlTableShape::Group GroupOf(const GumboNode* section, HtmlTableShape& shape)
{
    HtmlTableShape::Group group{section, {}};
    const GumboVector& children = *Html::Children(section);
    for (unsigned i = 0; i < children.length; ++i) {
        const GumboNode* child = Html::At(children, i);
        if (Html::Is(child, GUMBO_TAG_TR)) group.rows.push_back(RowOf(child, shape));
        else AddStray(child, shape);
    }
    return group;
}

}  // namespace

HtmlTableShape ShapeOfTable(const GumboNode* table)
{
    HtmlTableShape shape;
    shape.table = table;
    std::vector<HtmlTableShape::Group> footers;
    bool looseRows = false;  // rows directly in the table, which the parser normally wraps
    const GumboVector& children = *Html::Children(table);
    for (unsigned i = 0; i < children.length; ++i) {
        const GumboNode* child = Html::At(children, i);
        const GumboTag tag = Html::Tag(child);
        if (tag == GUMBO_TAG_CAPTION && !shape.caption) {
            shape.caption = child;
        } else if (tag == GUMBO_TAG_COLGROUP || tag == GUMBO_TAG_COL) {
            shape.columns.push_back(child);
        } else if (tag == GUMBO_TAG_THEAD || tag == GUMBO_TAG_TBODY) {
            shape.groups.push_back(GroupOf(child, shape));
        } else if (tag == GUMBO_TAG_TFOOT) {
            footers.push_back(GroupOf(child, shape));  // the table model puts footers last
        } else if (tag == GUMBO_TAG_TR) {
            if (!looseRows) shape.groups.push_back({});
            shape.groups.back().rows.push_back(RowOf(child, shape));
        } else {
            AddStray(child, shape);
        }
        looseRows = tag == GUMBO_TAG_TR;
    }
    shape.groups.insert(shape.groups.end(), footers.begin(), footers.end());
    return shape;
}

namespace {

// The cell of a table of one row of one cell, and nothing else but a caption (the page this
// program writes puts the caption on the frame, above the border).
const GumboNode* OnlyCell(const HtmlTableShape& shape)
{
    if (!shape.strays.empty() || !shape.columns.empty()) return nullptr;
    const GumboNode* only = nullptr;
    for (const HtmlTableShape::Group& group : shape.groups)
        for (const HtmlTableShape::Row& row : group.rows) {
            if (only || row.cells.size() != 1) return nullptr;
            only = row.cells[0];
        }
    return only;
}

}  // namespace

const GumboNode* FramedTable(const HtmlTableShape& shape)
{
    const GumboNode* only = OnlyCell(shape);
    const GumboNode* inner = only ? Html::SoleElement(only, true) : nullptr;
    if (!Html::Is(inner, GUMBO_TAG_TABLE)) return nullptr;
    // A frame's cell is a box for the table and no more: one that formats its text (as every
    // cell of the HTML5 page does) is a cell that holds a table.
    ElementFormat f = ReadElementFormat(only, FormatRole::Cell, 3);
    f.format.background.reset();
    return f.format.IsEmpty() && f.unread.empty() && !f.padding ? inner : nullptr;
}

// ---- Walking the cells ---------------------------------------------------------------------

namespace {

// Every cell of the table in the table model's order, with the position the grid give it.
// onRow(group, row) comes before the cells of each row.
template <typename OnRow, typename OnCell>
void PlaceCells(const HtmlTableShape& shape, HtmlTableSlots& grid, OnRow onRow, OnCell onCell)
{
    for (const HtmlTableShape::Group& group : shape.groups) {
        grid.BeginGroup(int(std::min<std::size_t>(group.rows.size(), 1u << 30)));
        for (const HtmlTableShape::Row& row : group.rows) {
            onRow(group, row);
            grid.BeginRow();
            for (const GumboNode* cell : row.cells) {
                auto span = [cell](const char* name) -> std::optional<qint64> {
                    const std::optional<QByteArrayView> value = Html::Attribute(cell, name);
                    return value ? ParseInteger(*value) : std::nullopt;
                };
                onCell(cell, grid.Place(span("colspan"), span("rowspan")));
            }
        }
    }
}

// The imported size: at most 127 x 127.
int ImportedCols(const HtmlTableSlots& grid)
{
    return std::min(kMaxCount, grid.Width());
}

int ImportedRows(const HtmlTableSlots& grid)
{
    return std::min(kMaxCount, grid.Height());
}

}  // namespace

HtmlTableSummary SummarizeHtmlTable(const GumboNode* table)
{
    HtmlTableShape shape = ShapeOfTable(table);
    const GumboNode* caption = shape.caption;
    if (const GumboNode* inner = FramedTable(shape)) {
        shape = ShapeOfTable(inner);
        if (!caption) caption = shape.caption;
    }
    HtmlTableSlots grid;
    HtmlTableSummary summary;
    constexpr int kShownCells = 3, kShownChars = 30;
    if (caption) summary.firstCells << PlainText(caption, kShownChars);
    PlaceCells(shape, grid, [](const auto&, const auto&) {}, [&](const GumboNode* cell, const SlotPlacement&) {
        if (summary.firstCells.size() < kShownCells) summary.firstCells << PlainText(cell, kShownChars);
    });
    summary.cols = ImportedCols(grid);
    summary.rows = ImportedRows(grid);
    return summary;
}

// ---- The table's properties ------------------------------------------------------------------

namespace {

// What a table element says about its box: borders, spacing, padding, size, and the formats
// its cells inherit.
struct TableBox {
    std::optional<int> border;
    std::optional<TColor> borderColor;
    std::optional<int> spacing;
    std::optional<int> padding;
    bool collapse = false;
    std::optional<TSizeSpec> width;
    std::optional<TSizeSpec> height;
    CellFormat format;
};

class TableBoxReader {
public:
    TableBoxReader(const GumboNode* table, ImportReport& report) : table_(table), report_(report) {}

    TableBox Read()
    {
        // The box's attributes first; the style wins over them.
        ElementFormat f = ReadElementFormat(table_, FormatRole::Table, 3,
                                            {"border", "cellspacing", "cellpadding", "width", "height",
                                             "bordercolor", "border-width", "border-color", "border-style",
                                             "border-spacing", "border-collapse"});
        box_.format = f.format;
        for (const Unread& u : f.unread) report_.AddToTable(u.what, u.why);
        if (const auto border = Html::Attribute(table_, "border")) {
            const std::optional<qint64> n = ParseInteger(*border);
            box_.border = n && *n >= 0 ? int(std::min<qint64>(*n, 10000)) : 1;
        }
        if (const auto color = Html::Attribute(table_, "bordercolor")) Keep(box_.borderColor, ParseLegacyColor(*color), "bordercolor", *color);
        Count(box_.spacing, "cellspacing");
        Count(box_.padding, "cellpadding");
        if (const auto width = Html::Attribute(table_, "width")) Keep(box_.width, ParseDimension(*width), "width", *width);
        if (const auto height = Html::Attribute(table_, "height")) Keep(box_.height, ParseDimension(*height), "height", *height);
        if (const auto style = Html::Attribute(table_, "style"))
            for (const Declaration& d : ParseDeclarations(*style)) Property(d.name, d.value);
        return box_;
    }

private:
    const GumboNode* table_;
    ImportReport& report_;
    TableBox box_;

    template <typename T>
    void Keep(std::optional<T>& field, std::optional<T> value, QByteArrayView name, QByteArrayView text)
    {
        if (value) field = value;
        else if (!text.trimmed().isEmpty())
            report_.AddToTable(QStringLiteral("%1=\"%2\"").arg(QString::fromUtf8(name), QString::fromUtf8(text)),
                               QStringLiteral("value not understood"));
    }

    void Count(std::optional<int>& field, const char* name)
    {
        const std::optional<QByteArrayView> text = Html::Attribute(table_, name);
        if (!text) return;
        const std::optional<qint64> n = ParseInteger(*text);
        Keep(field, n && *n >= 0 ? std::optional<int>(int(std::min<qint64>(*n, 10000))) : std::nullopt, name, *text);
    }

    // border: a width, a style and a colour in any order.
    void BorderShorthand(QByteArrayView value)
    {
        for (const QByteArray& word : SplitValue(value)) {
            if (const std::optional<int> px = ParseCssPixels(word)) box_.border = px;
            else if (const std::optional<TColor> c = ParseCssColor(word)) box_.borderColor = c;
            else if (word == "none" || word == "hidden") box_.border = 0;
        }
    }

    void Property(QByteArrayView name, QByteArrayView value)
    {
        const std::vector<QByteArray> words = SplitValue(value);
        const QByteArray first = words.empty() ? QByteArray() : words.front().toLower();
        if (name == "border") BorderShorthand(value);
        else if (name == "border-width") Keep(box_.border, ParseCssPixels(first), name, value);
        else if (name == "border-color") Keep(box_.borderColor, ParseCssColor(first), name, value);
        else if (name == "border-style") {
            if (first == "none" || first == "hidden") box_.border = 0;
        } else if (name == "border-spacing") Keep(box_.spacing, ParseCssPixels(first), name, value);
        else if (name == "border-collapse") box_.collapse = first == "collapse";
        else if (name == "width") Keep(box_.width, ParseCssSize(value), name, value);
        else if (name == "height") Keep(box_.height, ParseCssSize(value), name, value);
    }
};

// Whether the parser moved content from between the table's rows to before the table (where
// the siblings before it begin inside the table's own source).
bool MovedBeforeTable(const GumboNode* table)
{
    const GumboVector* siblings = table->parent ? Html::Children(table->parent) : nullptr;
    if (!siblings) return false;
    const unsigned begin = table->v.element.start_pos.offset, end = table->v.element.end_pos.offset;
    for (std::size_t i = table->index_within_parent; i-- > 0;) {
        const GumboNode* node = Html::At(*siblings, unsigned(i));
        const unsigned at = node->type == GUMBO_NODE_ELEMENT ? node->v.element.start_pos.offset
                                                              : node->v.text.start_pos.offset;
        if (node->type == GUMBO_NODE_COMMENT || Html::IsBlankText(node)) continue;
        return at > begin && at < end;
    }
    return false;
}

// Browsers' spacing and padding of a table that names none.
constexpr int kDefaultSpacing = 2, kDefaultPadding = 1;
constexpr TColor kDefaultBorderColor = 0x808080, kWhite = 0xFFFFFF;

// ---- Column widths -----------------------------------------------------------------------------

// A width that a col, a colgroup or a cell names, as the page wrote it (for the report) and
// as read: per cent or pixels, in the range a column takes or not; none when it is no width
// of a column (another unit, a relative width).
struct NamedWidth {
    QString what;
    std::optional<TSizeSpec> value;
};

QString Text(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

// "0", "0px", "0.0%": a width of nothing, which the parsers take for no width at all.
std::optional<TSizeSpec> ZeroWidth(QByteArrayView text)
{
    QByteArray v = text.trimmed().toByteArray().toLower();
    const bool percent = v.endsWith('%');
    if (percent) v.chop(1);
    else if (v.endsWith("px")) v.chop(2);
    if (v.isEmpty() || !v.contains('0')) return std::nullopt;
    for (const char ch : v)
        if (ch != '0' && ch != '.') return std::nullopt;
    return TSizeSpec{0, percent ? TSizeSpec::Percent : TSizeSpec::Pixels};
}

// The width attribute: "120" pixels, "25%" per cent. A relative width ("2*") is none.
std::optional<TSizeSpec> WidthAttribute(QByteArrayView text)
{
    if (text.contains('*')) return std::nullopt;
    if (const std::optional<TSizeSpec> zero = ZeroWidth(text)) return zero;
    return ParseDimension(text);
}

// CSS width in px or %; other units and the window's share (vw, vh) are no column width.
std::optional<TSizeSpec> WidthProperty(QByteArrayView text)
{
    const QByteArray v = text.trimmed().toByteArray().toLower();
    if (!v.endsWith("px") && !v.endsWith('%')) return std::nullopt;
    if (const std::optional<TSizeSpec> zero = ZeroWidth(v)) return zero;
    return ParseCssSize(v);
}

// The width an element names, its style winning over its attribute; none for none or auto.
std::optional<NamedWidth> WidthOf(const GumboNode* element)
{
    std::optional<NamedWidth> named;
    if (const auto attribute = Html::Attribute(element, "width"); attribute && !attribute->trimmed().isEmpty())
        named = NamedWidth{QStringLiteral("width=\"%1\"").arg(Text(*attribute)), WidthAttribute(*attribute)};
    if (const auto style = Html::Attribute(element, "style"))
        for (const Declaration& d : ParseDeclarations(*style)) {
            if (d.name != "width") continue;
            const QByteArray value = d.value.toLower();
            if (value == "auto" || value == "inherit" || value == "initial" || value == "unset" || value == "revert")
                named.reset();
            else
                named = NamedWidth{QStringLiteral("CSS width: %1").arg(Text(d.value)), WidthProperty(d.value)};
        }
    return named;
}

bool InColumnRange(TSizeSpec width)
{
    return width.Units != TSizeSpec::Default && DocumentFormat::ValidWidth(width);
}

QString OutOfRange()
{
    return QStringLiteral("out of range: a column is 1 to 100% or 1 to %1 pixels wide; left automatic")
        .arg(DocumentFormat::kMaxColumnPixels);
}

// span of a col or colgroup: 1 to 1000, as browsers clamp it.
int SpanOf(const GumboNode* element)
{
    const auto text = Html::Attribute(element, "span");
    const std::optional<qint64> n = text ? ParseInteger(*text) : std::nullopt;
    return n && *n >= 1 ? int(std::min<qint64>(*n, 1000)) : 1;
}

// Everything an element says but the attributes and style properties in `kept`: what a
// caption or a col has that the table cannot hold.
void NoteAttributesNotKept(const GumboNode* element, std::initializer_list<QByteArrayView> kept, ImportReport& report)
{
    const QString tag = QStringLiteral("<%1> ").arg(Text(Html::TagName(element)));
    auto isKept = [&](QByteArrayView name) { return std::find(kept.begin(), kept.end(), name) != kept.end(); };
    const GumboVector& attributes = element->v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i) {
        const auto* a = static_cast<const GumboAttribute*>(attributes.data[i]);
        const QByteArrayView name(a->name), value(a->value);
        if (isKept(name)) continue;
        if (name == "style") {
            for (const Declaration& d : ParseDeclarations(value))
                if (!isKept(d.name))
                    report.AddToTable(tag + QStringLiteral("CSS %1: %2").arg(Text(d.name), Text(d.value)), QStringLiteral("not kept"));
        } else if (name == "class") {
            report.AddToTable(tag + QStringLiteral("class=\"%1\"").arg(Text(value)), QStringLiteral("CSS classes are not read"));
        } else {
            report.AddToTable(tag + QStringLiteral("%1=\"%2\"").arg(Text(name), Text(value)), QStringLiteral("not kept"));
        }
    }
}

}  // namespace

// ---- The table ---------------------------------------------------------------------------------

namespace {

class TableReader {
public:
    TableReader(const HtmlTree& tree, const GumboNode* table, ImportMarkup markup) : tree_(tree), markup_(markup)
    {
        shape_ = ShapeOfTable(table);
        if (const GumboNode* inner = FramedTable(shape_)) {
            frame_ = shape_;
            shape_ = ShapeOfTable(inner);
        }
    }

    HtmlTableRead Read()
    {
        ReadProperties();
        NoteTableParts();
        HtmlTableSlots grid;
        std::vector<Placed> placed;
        bool inHead = false;
        PlaceCells(
            shape_, grid,
            [&](const HtmlTableShape::Group& g, const HtmlTableShape::Row& r) {
                aroundRow_ = RowFormat(g, r);
                inHead = Html::Is(g.element, GUMBO_TAG_THEAD);
            },
            [&](const GumboNode* cell, const SlotPlacement& at) {
                if (at.kept) placed.push_back({cell, aroundRow_, at, inHead});
            });
        cols_ = ImportedCols(grid);
        rows_ = ImportedRows(grid);
        NoteDropped(grid);
        cells_.assign(std::size_t(cols_ + 1) * std::size_t(rows_ + 1), TCell());
        covered_.assign(std::size_t(cols_) * std::size_t(rows_), false);
        for (const Placed& p : placed) FillCell(p);
        ReadCaption();
        TakeCellPadding();
        // Pixel widths of cols hold the padding, which the margin now says.
        ReadColumnWidths();
        NoteEmptyPositions();
        return {Document(), cols_, rows_, std::move(report_), unshownMarkup_};
    }

private:
    struct Placed {
        const GumboNode* cell;
        CellFormat around;
        SlotPlacement at;
        bool inHead;  // a row of the thead: a header cell, td or th
    };
    // A cell that names its width.
    struct CellWidth {
        ImportPlace place;
        bool spansColumns;
        NamedWidth width;
    };

    const HtmlTree& tree_;
    const ImportMarkup markup_;
    bool unshownMarkup_ = false;
    HtmlTableShape shape_;
    std::optional<HtmlTableShape> frame_;
    DocumentFormat::Header header_;
    CellFormat tableFormat_;  // what every cell inherits from the table (and its frame)
    CellFormat aroundRow_;
    ImportReport report_;
    int cols_ = 0, rows_ = 0;
    std::vector<TCell> cells_;     // (cols + 1) x (rows + 1), column by column, like the file
    std::vector<bool> covered_;    // positions inside a merged cell or anchoring one
    bool paddingGiven_ = false;    // the table names its cells' padding
    std::vector<std::optional<int>> cellPaddings_;  // each cell's own CSS padding
    QString caption_;
    std::vector<CellWidth> cellWidths_;
    std::vector<TSizeSpec> colWidths_;  // one a column; all automatic when none is set

    TCell& At(int col, int row) { return cells_[std::size_t(col) * std::size_t(rows_ + 1) + std::size_t(row)]; }

    void ReadProperties()
    {
        const TableBox box = TableBoxReader(shape_.table, report_).Read();
        tableFormat_ = box.format;
        if (frame_) {
            ReadFrame(box);
        } else {
            header_.TableBorderWidth = box.border.value_or(0);
            header_.TableBorderColor = box.borderColor.value_or(kDefaultBorderColor);
            header_.TableWidth = box.width.value_or(TSizeSpec{});
            header_.TableHeight = box.height.value_or(TSizeSpec{});
        }
        const bool ruled = header_.TableBorderWidth > 0;
        header_.CellsBorderWidth = box.collapse ? (ruled ? 1 : 0) : box.spacing.value_or(kDefaultSpacing);
        // The spacing between cells shows the table's background, else the page's.
        header_.CellsBorderColor = box.format.background.value_or(ruled && !frame_ ? header_.TableBorderColor : kWhite);
        header_.CellsTextMargin = box.padding.value_or(kDefaultPadding);
        paddingGiven_ = box.padding.has_value();
    }

    // Cells that all name the same padding give the table its text margin, unless the table
    // names one itself.
    void TakeCellPadding()
    {
        if (std::none_of(cellPaddings_.begin(), cellPaddings_.end(), [](const std::optional<int>& p) { return p.has_value(); }))
            return;
        const bool same = std::all_of(cellPaddings_.begin(), cellPaddings_.end(),
                                      [&](const std::optional<int>& p) { return p == cellPaddings_.front(); });
        if (same && !paddingGiven_) {
            header_.CellsTextMargin = *cellPaddings_.front();
            return;
        }
        report_.AddToTable(QStringLiteral("CSS padding of the cells"),
                           paddingGiven_ ? QStringLiteral("not kept: the table's cellpadding is")
                                         : QStringLiteral("not kept: it differs from cell to cell"));
    }

    // A frame's spacing, padding and border make the outer border, in its background colour;
    // the inner table fills the frame, so its own size of 100% is the frame's.
    void ReadFrame(const TableBox& inner)
    {
        const TableBox outer = TableBoxReader(frame_->table, report_).Read();
        const GumboNode* outerCell = OnlyCell(*frame_);
        const ElementFormat cellFormat = ReadElementFormat(outerCell, FormatRole::Cell, 3);
        for (const Unread& u : cellFormat.unread) report_.AddToTable(u.what, u.why);
        header_.TableBorderWidth = outer.border.value_or(0) + outer.spacing.value_or(kDefaultSpacing) +
                                   outer.padding.value_or(kDefaultPadding);
        header_.TableBorderColor = outer.format.background.value_or(
            cellFormat.format.background.value_or(outer.borderColor.value_or(kDefaultBorderColor)));
        header_.TableWidth = outer.width.value_or(TSizeSpec{});
        header_.TableHeight = outer.height.value_or(TSizeSpec{});
        tableFormat_ = inner.format.Over(cellFormat.format.Inherited().Over(outer.format.Inherited()));
        const TSizeSpec full{100, TSizeSpec::Percent};
        if (inner.border.value_or(0) > 0) report_.AddToTable(QStringLiteral("border of the framed table"), QStringLiteral("not kept"));
        for (const auto* size : {&inner.width, &inner.height})
            if (size->has_value() && **size != full)
                report_.AddToTable(QStringLiteral("size of the framed table"), QStringLiteral("the frame's size is kept"));
    }

    void NoteTableParts()
    {
        for (const HtmlTableShape::Group& g : shape_.groups)
            if (!g.rows.empty() && Html::Is(g.element, GUMBO_TAG_TFOOT))
                report_.AddToTable(QStringLiteral("footer rows (<tfoot>)"), QStringLiteral("kept as ordinary rows, after the others"));
        if (MovedBeforeTable(shape_.table))
            report_.AddToTable(QStringLiteral("text between the rows"),
                               QStringLiteral("not kept: browsers show it above the table"));
        for (const GumboNode* stray : shape_.strays)
            report_.AddToTable(QStringLiteral("<%1> between the rows").arg(QString::fromUtf8(Html::TagName(stray))),
                               QStringLiteral("not kept"));
    }

    CellFormat RowFormat(const HtmlTableShape::Group& group, const HtmlTableShape::Row& row)
    {
        CellFormat around = tableFormat_;
        for (const GumboNode* element : {group.element, row.element}) {
            if (!element) continue;
            const bool isRow = element == row.element;
            ElementFormat f = ReadElementFormat(element, isRow ? FormatRole::Row : FormatRole::Group, around.size.value_or(3));
            const QString tag = QStringLiteral("<%1> ").arg(QString::fromUtf8(Html::TagName(element)));
            for (const Unread& u : f.unread) report_.AddToTable(tag + u.what, u.why);
            around = f.format.Over(around);
        }
        return around;
    }

    void Cover(int col, int row, int cols, int rows)
    {
        for (int c = col; c < col + cols; ++c)
            for (int r = row; r < row + rows; ++r) {
                covered_[std::size_t(c) * std::size_t(rows_) + std::size_t(r)] = true;
                if (c != col || r != row) At(c, r).reset(false);
            }
    }

    // Fills the anchor with the cell's fields and text, and covers the positions it spans.
    void Fill(int col, int row, int extraCols, int extraRows, const GumboNode* element, CellFormat format,
              bool th)
    {
        const HtmlCellContent content = ReadCellContent(tree_, element, format.size.value_or(3), Unwrap::Formatting, markup_);
        TCell& cell = At(col, row);
        // As browsers show a cell that says nothing: left (a th centred), in the middle.
        cell.HAlign = th ? 1 : 0;
        cell.VAlign = 1;
        content.wrappers.Over(format).ApplyTo(cell);
        cell.Text = content.text;
        cell.ExtraCols = extraCols;
        cell.ExtraRows = extraRows;
        Cover(col, row, extraCols + 1, extraRows + 1);
        const ImportPlace place{col, row};
        NoteUnshownMarkup(place, content);
        if (content.nestedTable)
            report_.Add(place, QStringLiteral("nested table"), QStringLiteral("kept as markup in the cell text"));
        if (content.script)
            report_.Add(place, QStringLiteral("script or style sheet"), QStringLiteral("kept in the cell text"));
        // A document's text ends at a NUL.
        if (cell.Text.contains(QChar(0))) {
            cell.Text.replace(QChar(0), QChar(QChar::ReplacementCharacter));
            report_.Add(place, QStringLiteral("NUL character"), QStringLiteral("replaced by U+FFFD"));
        }
    }

    void FillCell(const Placed& p)
    {
        const bool th = Html::Is(p.cell, GUMBO_TAG_TH);
        const int size = p.around.size.value_or(3);
        // The width is the column's (ReadColumnWidths); a th's scope follows from the header
        // cells around it.
        ElementFormat own = th ? ReadElementFormat(p.cell, FormatRole::Cell, size, {"colspan", "rowspan", "width", "scope"})
                               : ReadElementFormat(p.cell, FormatRole::Cell, size, {"colspan", "rowspan", "width"});
        if (th && !own.format.bold) own.format.bold = true;  // a th's own rule
        const ImportPlace place{p.at.col, p.at.row};
        cellPaddings_.push_back(own.padding);
        for (const Unread& u : own.unread) report_.Add(place, u.what, u.why);
        if (std::optional<NamedWidth> width = WidthOf(p.cell))
            cellWidths_.push_back({place, p.at.extraCols > 0, std::move(*width)});
        if (p.at.cutByOverlap)
            report_.Add(place, QStringLiteral("colspan, rowspan"),
                        QStringLiteral("ran into an earlier cell; cut to %1 x %2").arg(p.at.extraCols + 1).arg(p.at.extraRows + 1));
        if (p.at.cutAtGroupEnd)
            report_.Add(place, QStringLiteral("rowspan"), QStringLiteral("reached past the last row of its group; cut there"));
        Fill(p.at.col, p.at.row, p.at.extraCols, p.at.extraRows, p.cell, own.format.Over(p.around), th);
        At(p.at.col, p.at.row).Header = th || p.inHead;
    }

    // Where markup the table does not show was left out; where it was kept, nothing was lost,
    // and whoever asked for it says so for the whole table.
    void NoteUnshownMarkup(ImportPlace place, const HtmlCellContent& content)
    {
        if (!content.unshownMarkup) return;
        unshownMarkup_ = true;
        if (markup_ == ImportMarkup::ShownOnly)
            report_.Add(place, QLatin1String(kUnshownMarkup), UnshownMarkupFate(markup_));
    }

    // The caption's content as its HTML source, exactly as written, formatting wrappers and
    // all: the document's caption has no fields, so what the element itself says is not kept.
    // A framed table's caption is the frame's, above the border.
    void ReadCaption()
    {
        const GumboNode* caption = frame_ && frame_->caption ? frame_->caption : shape_.caption;
        if (!caption) return;
        if (caption != shape_.caption && shape_.caption)
            report_.AddToTable(QStringLiteral("caption of the framed table"), QStringLiteral("not kept: the frame's caption is"));
        NoteAttributesNotKept(caption, {}, report_);
        const HtmlCellContent content = ReadCellContent(tree_, caption, tableFormat_.size.value_or(3), Unwrap::None, markup_);
        caption_ = content.text;
        NoteUnshownMarkup(ImportPlace{}, content);
        if (content.nestedTable)
            report_.AddToTable(QStringLiteral("table in the caption"), QStringLiteral("kept as markup in the caption"));
        if (content.script)
            report_.AddToTable(QStringLiteral("script or style sheet in the caption"), QStringLiteral("kept in the caption"));
        if (caption_.contains(QChar(0))) {
            caption_.replace(QChar(0), QChar(QChar::ReplacementCharacter));
            report_.AddToTable(QStringLiteral("NUL character in the caption"), QStringLiteral("replaced by U+FFFD"));
        }
    }

    // The widths the cols give, then for each column without one the width its cells agree
    // on. A col's pixel width is the column's whole width, its padding included; a cell's, as
    // the classic page writes it, is its text area, which is what the document holds.
    void ReadColumnWidths()
    {
        colWidths_.assign(std::size_t(cols_), TSizeSpec{});
        std::vector<bool> fromCol(std::size_t(cols_), false);
        int next = 0;  // the first column the next col takes; columns past the table count as it
        auto assign = [&](const GumboNode* element, const std::optional<NamedWidth>& width, int span) {
            const int first = next, last = std::min(cols_, next + span);
            next = last;
            if (!width || first >= last) return;
            const std::optional<TSizeSpec> w = ColumnWidth(width->value);
            if (!w) {
                report_.AddToTable(QStringLiteral("<%1> ").arg(Text(Html::TagName(element))) + width->what,
                                   width->value ? OutOfRange() : QStringLiteral("not kept: a column's width is kept in px or %"));
                return;
            }
            for (int c = first; c < last; ++c) {
                colWidths_[std::size_t(c)] = *w;
                fromCol[std::size_t(c)] = true;
            }
        };
        for (const GumboNode* element : shape_.columns) {
            NoteAttributesNotKept(element, {"span", "width"}, report_);
            const std::optional<NamedWidth> own = WidthOf(element);
            std::vector<const GumboNode*> cols;
            if (Html::Is(element, GUMBO_TAG_COLGROUP))
                for (unsigned i = 0; i < Html::Children(element)->length; ++i)
                    if (const GumboNode* child = Html::At(*Html::Children(element), i); Html::Is(child, GUMBO_TAG_COL))
                        cols.push_back(child);
            if (cols.empty()) {
                assign(element, own, SpanOf(element));
                continue;
            }
            // A colgroup's width is each of its columns' that names none.
            for (const GumboNode* col : cols) {
                NoteAttributesNotKept(col, {"span", "width"}, report_);
                std::optional<NamedWidth> width = WidthOf(col);
                assign(width ? col : element, width ? width : own, SpanOf(col));
            }
        }
        CellWidths(fromCol);
    }

    // A col's width as the column's: pixels less the padding on both sides (at least 1).
    // Out of range, as the page gave it or (pixels) once the padding is off: none.
    std::optional<TSizeSpec> ColumnWidth(std::optional<TSizeSpec> given) const
    {
        if (!given || given->Value < 1) return std::nullopt;
        if (given->Units == TSizeSpec::Pixels)
            given->Value = std::max(1, given->Value - 2 * std::max(0, header_.CellsTextMargin));
        return InColumnRange(*given) ? given : std::nullopt;
    }

    void CellWidths(const std::vector<bool>& fromCol)
    {
        // Per column: the one width its single-column cells name, or none when they differ.
        std::vector<std::optional<TSizeSpec>> agreed(static_cast<std::size_t>(cols_));
        std::vector<bool> differ(static_cast<std::size_t>(cols_), false);
        for (const CellWidth& cw : cellWidths_) {
            const auto c = std::size_t(cw.place.col);
            if (cw.spansColumns || !cw.width.value || !InColumnRange(*cw.width.value)) continue;
            if (!agreed[c]) agreed[c] = cw.width.value;
            else if (*agreed[c] != *cw.width.value) differ[c] = true;
        }
        for (std::size_t c = 0; c < std::size_t(cols_); ++c)
            if (!fromCol[c] && agreed[c] && !differ[c]) colWidths_[c] = *agreed[c];
        for (const CellWidth& cw : cellWidths_) {
            const auto c = std::size_t(cw.place.col);
            const std::optional<TSizeSpec>& w = cw.width.value;
            QString why;
            if (!w) why = QStringLiteral("not kept: a column's width is kept in px or %");
            else if (!InColumnRange(*w)) why = OutOfRange();
            else if (cw.spansColumns) why = QStringLiteral("not kept: the cell spans several columns");
            else if (fromCol[c] && *w != colWidths_[c]) why = QStringLiteral("not kept: the column's <col> width is");
            else if (!fromCol[c] && differ[c]) why = QStringLiteral("not kept: the cells of the column name different widths");
            if (!why.isEmpty()) report_.Add(cw.place, cw.width.what, why);
        }
    }

    void NoteDropped(const HtmlTableSlots& grid)
    {
        if (grid.Height() > kMaxCount)
            report_.AddToTable(QStringLiteral("rows %1 to %2").arg(kMaxCount + 1).arg(grid.Height()),
                               QStringLiteral("a table holds at most %1 rows").arg(kMaxCount));
        if (grid.Width() > kMaxCount)
            report_.AddToTable(QStringLiteral("columns %1 to %2").arg(kMaxCount + 1).arg(grid.Width()),
                               QStringLiteral("a table holds at most %1 columns").arg(kMaxCount));
    }

    void NoteEmptyPositions()
    {
        const auto empty = std::count(covered_.begin(), covered_.end(), false);
        if (empty > 0)
            report_.AddToTable(QStringLiteral("%1 position%2 without a cell").arg(empty).arg(empty == 1 ? "" : "s"),
                               QStringLiteral("filled with empty cells"));
        if (cols_ == 0 || rows_ == 0) report_.AddToTable(QStringLiteral("the table"), QStringLiteral("holds no cells"));
    }

    // Header cells, the caption and widths, when any is there: the document is then version 2.
    DocumentFormat::Extension Extension()
    {
        DocumentFormat::Extension ext;
        ext.caption = caption_;
        if (std::any_of(colWidths_.begin(), colWidths_.end(), [](TSizeSpec w) { return w.Units != TSizeSpec::Default; }))
            ext.widths = colWidths_;
        std::vector<bool> headers(std::size_t(cols_) * std::size_t(rows_), false);
        bool any = false;
        for (int c = 0; c < cols_; ++c)
            for (int r = 0; r < rows_; ++r) {
                const TCell& cell = At(c, r);
                const bool header = cell.Visible && cell.Header;
                headers[std::size_t(c) * std::size_t(rows_) + std::size_t(r)] = header;
                any = any || header;
            }
        if (any) ext.headers = std::move(headers);
        return ext;
    }

    QByteArray Document()
    {
        header_.ColCount = cols_;
        header_.RowCount = rows_;
        const DocumentFormat::Extension ext = Extension();
        header_.Version = ext.empty() ? DocumentFormat::kVersion : DocumentFormat::kVersionWithExtension;
        qsizetype size = DocumentFormat::MinimumSize(cols_, rows_);
        for (const TCell& cell : cells_) size += 2 * std::max<qsizetype>(1, cell.Text.size());
        QByteArray out;
        out.reserve(size);
        DocumentFormat::AppendHeader(out, header_);
        for (const TCell& cell : cells_) DocumentFormat::AppendCell(out, cell);
        if (!ext.empty()) DocumentFormat::AppendExtension(out, header_, ext);
        return out;
    }
};

}  // namespace

HtmlTableRead ReadHtmlTable(const HtmlTree& tree, const GumboNode* table, ImportMarkup markup)
{
    return TableReader(tree, table, markup).Read();
}
