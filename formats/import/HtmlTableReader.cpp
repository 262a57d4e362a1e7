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

// The cell of a table of one row of one cell, and nothing else.
const GumboNode* OnlyCell(const HtmlTableShape& shape)
{
    if (shape.caption || !shape.strays.empty() || !shape.columns.empty()) return nullptr;
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

// The imported size: at most 127 x 127, and a column for a caption of an empty table.
int ImportedCols(const HtmlTableShape& shape, const HtmlTableSlots& grid)
{
    return std::min(kMaxCount, std::max(grid.Width(), shape.caption ? 1 : 0));
}

int ImportedRows(const HtmlTableSlots& grid)
{
    return std::min(kMaxCount, grid.Height());
}

}  // namespace

HtmlTableSummary SummarizeHtmlTable(const GumboNode* table)
{
    HtmlTableShape shape = ShapeOfTable(table);
    if (const GumboNode* inner = FramedTable(shape)) shape = ShapeOfTable(inner);
    HtmlTableSlots grid(shape.caption ? 1 : 0);
    HtmlTableSummary summary;
    constexpr int kShownCells = 3, kShownChars = 30;
    if (shape.caption) summary.firstCells << PlainText(shape.caption, kShownChars);
    PlaceCells(shape, grid, [](const auto&, const auto&) {}, [&](const GumboNode* cell, const SlotPlacement&) {
        if (summary.firstCells.size() < kShownCells) summary.firstCells << PlainText(cell, kShownChars);
    });
    summary.cols = ImportedCols(shape, grid);
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

}  // namespace

// ---- The table ---------------------------------------------------------------------------------

namespace {

class TableReader {
public:
    TableReader(const HtmlTree& tree, const GumboNode* table) : tree_(tree)
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
        HtmlTableSlots grid(shape_.caption ? 1 : 0);
        std::vector<Placed> placed;
        PlaceCells(
            shape_, grid, [&](const HtmlTableShape::Group& g, const HtmlTableShape::Row& r) { aroundRow_ = RowFormat(g, r); },
            [&](const GumboNode* cell, const SlotPlacement& at) {
                if (at.kept) placed.push_back({cell, aroundRow_, at});
            });
        cols_ = ImportedCols(shape_, grid);
        rows_ = ImportedRows(grid);
        NoteDropped(grid);
        cells_.assign(std::size_t(cols_ + 1) * std::size_t(rows_ + 1), TCell());
        covered_.assign(std::size_t(cols_) * std::size_t(rows_), false);
        for (const Placed& p : placed) FillCell(p);
        if (shape_.caption) FillCaption();
        TakeCellPadding();
        NoteEmptyPositions();
        return {Document(), cols_, rows_, std::move(report_)};
    }

private:
    struct Placed {
        const GumboNode* cell;
        CellFormat around;
        SlotPlacement at;
    };

    const HtmlTree& tree_;
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
        for (const HtmlTableShape::Group& g : shape_.groups) {
            if (g.rows.empty()) continue;
            if (Html::Is(g.element, GUMBO_TAG_THEAD))
                report_.AddToTable(QStringLiteral("header rows (<thead>)"), QStringLiteral("kept as ordinary rows"));
            if (Html::Is(g.element, GUMBO_TAG_TFOOT))
                report_.AddToTable(QStringLiteral("footer rows (<tfoot>)"), QStringLiteral("kept as ordinary rows, after the others"));
        }
        if (shape_.caption)
            report_.AddToTable(QStringLiteral("caption"), QStringLiteral("kept as the first row: one cell across the table"));
        if (!shape_.columns.empty())
            report_.AddToTable(QStringLiteral("column formats (<colgroup>, <col>)"), QStringLiteral("not kept"));
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
              bool header)
    {
        const HtmlCellContent content = ReadCellContent(tree_, element, format.size.value_or(3));
        TCell& cell = At(col, row);
        // As browsers show a cell that says nothing: left (a header centred), in the middle.
        cell.HAlign = header ? 1 : 0;
        cell.VAlign = 1;
        content.wrappers.Over(format).ApplyTo(cell);
        cell.Text = content.text;
        cell.ExtraCols = extraCols;
        cell.ExtraRows = extraRows;
        Cover(col, row, extraCols + 1, extraRows + 1);
        const ImportPlace place{col, row};
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
        const bool header = Html::Is(p.cell, GUMBO_TAG_TH);
        ElementFormat own = ReadElementFormat(p.cell, FormatRole::Cell, p.around.size.value_or(3), {"colspan", "rowspan"});
        if (header && !own.format.bold) own.format.bold = true;  // a header cell's own rule
        const ImportPlace place{p.at.col, p.at.row};
        cellPaddings_.push_back(own.padding);
        for (const Unread& u : own.unread) report_.Add(place, u.what, u.why);
        if (header) report_.Add(place, QStringLiteral("header cell (<th>)"), QStringLiteral("kept as a bold cell"));
        if (p.at.cutByOverlap)
            report_.Add(place, QStringLiteral("colspan, rowspan"),
                        QStringLiteral("ran into an earlier cell; cut to %1 x %2").arg(p.at.extraCols + 1).arg(p.at.extraRows + 1));
        if (p.at.cutAtGroupEnd)
            report_.Add(place, QStringLiteral("rowspan"), QStringLiteral("reached past the last row of its group; cut there"));
        Fill(p.at.col, p.at.row, p.at.extraCols, p.at.extraRows, p.cell, own.format.Over(p.around), header);
    }

    void FillCaption()
    {
        const ElementFormat own = ReadElementFormat(shape_.caption, FormatRole::Cell, tableFormat_.size.value_or(3));
        for (const Unread& u : own.unread) report_.Add(ImportPlace{0, 0}, u.what, u.why);
        Fill(0, 0, cols_ - 1, 0, shape_.caption, own.format.Over(tableFormat_.Inherited()), true);
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

    QByteArray Document()
    {
        header_.ColCount = cols_;
        header_.RowCount = rows_;
        qsizetype size = DocumentFormat::MinimumSize(cols_, rows_);
        for (const TCell& cell : cells_) size += 2 * std::max<qsizetype>(1, cell.Text.size());
        QByteArray out;
        out.reserve(size);
        DocumentFormat::AppendHeader(out, header_);
        for (const TCell& cell : cells_) DocumentFormat::AppendCell(out, cell);
        return out;
    }
};

}  // namespace

HtmlTableRead ReadHtmlTable(const HtmlTree& tree, const GumboNode* table)
{
    return TableReader(tree, table).Read();
}
