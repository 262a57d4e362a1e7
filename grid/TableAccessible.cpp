#include "grid/TableAccessible.h"

#include "grid/Tables.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

// A cell's text as the grid and the editor show it: line breaks as one character each, so that
// offsets agree with the editor's.
QString ShownText(const TCell& cell)
{
    QString text = cell.Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QRect ScreenRect(const TTable& table, const TRect& r)
{
    const QRect local = table.ControlRect(r);
    return QRect(table.mapToGlobal(local.topLeft()), local.size());
}

bool EditorHasFocus(const TTable& table)
{
    return table.Edit()->hasFocus() && !table.Edit()->isHidden();
}

class TableAccessible;
TableAccessible* AccessibleOf(const TTable* table);

// One visible cell, by the position of its top-left slot. Made on demand, kept in the
// accessibility cache until the table's shape changes.
class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleTextInterface {
public:
    CellAccessible(TTable* table, int col, int row) : table_(table), col_(col), row_(row) {}

    bool isValid() const override { return table_ && table_->IsVisibleCell(col_, row_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) return QString();
        if (t == QAccessible::Name) return ShownText(cell());
        if (t == QAccessible::Description) return table_->CellPositionText(col_, row_);
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return isValid() ? ScreenRect(*table_, cell().Rect) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = s.selectable = s.editable = true;
        s.selected = cell().Selected;
        s.multiLine = cell().Text.contains(QLatin1Char('\n'));
        s.focused = isCurrent() && EditorHasFocus(*table_);
        s.disabled = !table_->isEnabled();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return nullptr;
    }

    // ---- Table cell ----
    bool isSelected() const override { return isValid() && cell().Selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return isValid() ? table_->AreaLastCol(col_, row_) - col_ + 1 : 1; }
    int rowExtent() const override { return isValid() ? table_->AreaLastRow(col_, row_) - row_ + 1 : 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // ---- Text: the current cell's caret and selection are the editor's ----
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index != 0 || !isCurrent()) return;
        *start = table_->Edit()->selectionStart();
        *end = *start + table_->Edit()->selectionLength();
    }
    int selectionCount() const override { return isCurrent() && table_->Edit()->selectionLength() > 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override
    {
        if (isCurrent()) table_->Edit()->setSelection(table_->Edit()->textCursor().position(), 0);
    }
    void setSelection(int, int start, int end) override
    {
        if (isCurrent()) table_->Edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return isCurrent() ? table_->Edit()->textCursor().position() : 0; }
    void setCursorPosition(int position) override
    {
        if (isCurrent()) table_->Edit()->setSelection(position, 0);
    }
    QString text(int start, int end) const override
    {
        return isValid() ? ShownText(cell()).mid(start, end - start) : QString();
    }
    int characterCount() const override { return isValid() ? int(ShownText(cell()).size()) : 0; }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QPointer<TTable> table_;
    int col_, row_;

    const TCell& cell() const { return table_->Cell(col_, row_); }
    bool isCurrent() const { return isValid() && table_->SelCol == col_ && table_->SelRow == row_; }
};

// The caption above the grid, as static text.
class CaptionAccessible : public QAccessibleInterface {
public:
    explicit CaptionAccessible(TTable* table) : table_(table) {}
    bool isValid() const override { return table_ && !table_->Caption.isEmpty(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !table_) return QString();
        QString text = table_->Caption;
        return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!table_) return QRect();
        return QRect(table_->mapToGlobal(QPoint(0, 0)), QSize(table_->width(), table_->CaptionBandHeight()));
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<TTable> table_;
};

// The table: one cell object for each visible cell.
class TableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableAccessible(TTable* table) : QAccessibleWidget(table, QAccessible::Table) {}
    ~TableAccessible() override
    {
        dropCells();
        if (captionId_) QAccessible::deleteAccessibleInterface(captionId_);
    }

    TTable* grid() const { return static_cast<TTable*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && caption()) return caption()->text(QAccessible::Name);
        return QAccessibleWidget::text(t);
    }

    // A child for every position, row by row: the bridge reads a child's index as
    // row * columns + column. A merged cell is the child at each position it covers, and its
    // own index is that of its top-left position.
    int childCount() const override { return int(shape().owner.size()); }
    QAccessibleInterface* child(int index) const override
    {
        const Shape& s = shape();
        if (index < 0 || index >= int(s.owner.size())) return nullptr;
        return cellFor(s.anchors[std::size_t(s.owner[std::size_t(index)])]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessibleTableCellInterface* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!cell) return -1;
        const Shape& s = shape();
        const QPoint at(cell->columnIndex(), cell->rowIndex());
        const int slot = s.slot(at.x(), at.y());
        if (slot < 0 || s.anchors[std::size_t(s.owner[std::size_t(slot)])] != at) return -1;
        return slot;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const TTable& t = *grid();
        for (const QPoint& a : shape().anchors)
            if (ScreenRect(t, t.Cell(a.x(), a.y()).Rect).contains(x, y)) return cellFor(a);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const TTable& t = *grid();
        if (t.IsVisibleCell(t.SelCol, t.SelRow) && EditorHasFocus(t)) return cellFor({t.SelCol, t.SelRow});
        return QAccessibleWidget::focusChild();
    }

    // ---- Table ----
    QAccessibleInterface* caption() const override
    {
        if (grid()->Caption.isEmpty()) return nullptr;
        if (!captionId_) captionId_ = QAccessible::registerAccessibleInterface(new CaptionAccessible(grid()));
        return QAccessible::accessibleInterface(captionId_);
    }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const Shape& s = shape();
        const int slot = s.slot(column, row);
        return slot < 0 ? nullptr : cellFor(s.anchors[std::size_t(s.owner[std::size_t(slot)])]);
    }
    int selectedCellCount() const override { return grid()->SelectedCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const QPoint& a : shape().anchors)
            if (grid()->Cell(a.x(), a.y()).Selected) cells << cellFor(a);
        return cells;
    }
    QString columnDescription(int) const override { return QString(); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return grid()->ColCount; }
    int rowCount() const override { return grid()->RowCount; }
    QList<int> selectedColumns() const override
    {
        QList<int> columns;
        for (int c = 0; c < columnCount(); ++c)
            if (isColumnSelected(c)) columns << c;
        return columns;
    }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        for (int r = 0; r < rowCount(); ++r)
            if (isRowSelected(r)) rows << r;
        return rows;
    }
    // A line is selected when every cell that reaches into it is.
    bool isColumnSelected(int column) const override
    {
        if (column < 0 || column >= columnCount()) return false;
        for (int r = 0; r < rowCount(); ++r)
            if (!slotSelected(column, r)) return false;
        return rowCount() > 0;
    }
    bool isRowSelected(int row) const override
    {
        if (row < 0 || row >= rowCount()) return false;
        for (int c = 0; c < columnCount(); ++c)
            if (!slotSelected(c, row)) return false;
        return columnCount() > 0;
    }
    // The selection is the user's, made with the keys and the mouse.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) dropCells();
    }

    QAccessibleInterface* cellFor(QPoint anchor) const
    {
        const int key = anchor.y() * kStoreSize + anchor.x();
        if (const auto it = cellIds_.constFind(key); it != cellIds_.cend())
            if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*it)) return cell;
        auto* cell = new CellAccessible(grid(), anchor.x(), anchor.y());
        cellIds_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    QList<QAccessibleInterface*> headerCells(int col, int row, bool columnHeaders) const
    {
        QList<QAccessibleInterface*> cells;
        const TTable& t = *grid();
        const int lines = columnHeaders ? t.RowCount : t.ColCount;
        for (int i = 0; i < lines; ++i) {
            const bool headerLine = columnHeaders ? t.IsHeaderRow(i) : t.IsHeaderColumn(i);
            if (!headerLine) continue;
            QAccessibleInterface* header = columnHeaders ? cellAt(i, col) : cellAt(row, i);
            if (header && !cells.contains(header)) cells << header;
        }
        return cells;
    }

    void refresh();

private:
    // What was last reported: the anchors in reading order, the owner (an anchor's index) of
    // every slot, and each anchor's span, text and selected mark.
    struct Shape {
        int cols = 0, rows = 0;
        std::vector<QPoint> anchors;
        std::vector<QPoint> spans;
        std::vector<int> owner;
        std::vector<QString> names;
        std::vector<bool> selected;
        int slot(int col, int row) const
        {
            return col < 0 || row < 0 || col >= cols || row >= rows ? -1 : row * cols + col;
        }
        bool sameLayout(const Shape& other) const
        {
            return cols == other.cols && rows == other.rows && anchors == other.anchors && spans == other.spans;
        }
    };
    mutable Shape shape_;
    mutable bool shapeKnown_ = false;
    Shape reported_;  // what the last events told
    bool reportedKnown_ = false;
    mutable QHash<int, QAccessible::Id> cellIds_;
    mutable QAccessible::Id captionId_ = 0;
    QPoint focused_{-1, -1};

    Shape measure() const
    {
        const TTable& t = *grid();
        Shape s;
        s.cols = std::max(0, t.ColCount);
        s.rows = std::max(0, t.RowCount);
        s.owner.assign(std::size_t(s.cols) * std::size_t(s.rows), 0);
        for (int r = 0; r < s.rows; ++r)
            for (int c = 0; c < s.cols; ++c) {
                const TCell& cell = t.Cell(c, r);
                if (!cell.Visible) continue;
                const int index = int(s.anchors.size());
                const int lastCol = t.AreaLastCol(c, r), lastRow = t.AreaLastRow(c, r);
                s.anchors.push_back({c, r});
                s.spans.push_back({lastCol - c + 1, lastRow - r + 1});
                s.names.push_back(ShownText(cell));
                s.selected.push_back(cell.Selected);
                for (int rr = r; rr <= lastRow; ++rr)
                    for (int cc = c; cc <= lastCol; ++cc) s.owner[std::size_t(s.slot(cc, rr))] = index;
            }
        return s;
    }
    // The shape queries see: measured again when the counts moved on since.
    const Shape& shape() const
    {
        const TTable& t = *grid();
        if (!shapeKnown_ || shape_.cols != std::max(0, t.ColCount) || shape_.rows != std::max(0, t.RowCount)) {
            shape_ = measure();
            shapeKnown_ = true;
        }
        return shape_;
    }
    bool slotSelected(int col, int row) const
    {
        const Shape& s = shape();
        const QPoint a = s.anchors[std::size_t(s.owner[std::size_t(s.slot(col, row))])];
        return grid()->Cell(a.x(), a.y()).Selected;
    }
    void dropCells() const
    {
        for (const QAccessible::Id id : std::as_const(cellIds_)) QAccessible::deleteAccessibleInterface(id);
        cellIds_.clear();
        shapeKnown_ = false;
    }
    void reportShapeChange(const Shape& before, const Shape& now);
};

void TableAccessible::reportShapeChange(const Shape& before, const Shape& now)
{
    using Change = QAccessibleTableModelChangeEvent;
    Change::ModelChangeType type = Change::ModelReset;
    if (before.cols == now.cols && now.rows > before.rows) type = Change::RowsInserted;
    else if (before.cols == now.cols && now.rows < before.rows) type = Change::RowsRemoved;
    else if (before.rows == now.rows && now.cols > before.cols) type = Change::ColumnsInserted;
    else if (before.rows == now.rows && now.cols < before.cols) type = Change::ColumnsRemoved;
    dropCells();
    focused_ = {-1, -1};
    Change event(grid(), type);
    event.setFirstRow(0);
    event.setFirstColumn(0);
    event.setLastRow(now.rows - 1);
    event.setLastColumn(now.cols - 1);
    QAccessible::updateAccessibility(&event);
}

void TableAccessible::refresh()
{
    const Shape now = measure();
    if (!reportedKnown_ || !reported_.sameLayout(now)) {
        reportShapeChange(reported_, now);
    } else {
        bool selectionChanged = false, textsChanged = false;
        for (std::size_t i = 0; i < now.anchors.size(); ++i) {
            if (now.names[i] != reported_.names[i]) {
                QAccessibleEvent named(cellFor(now.anchors[i]), QAccessible::NameChanged);
                QAccessible::updateAccessibility(&named);
                textsChanged = true;
            }
            if (now.selected[i] != reported_.selected[i]) {
                const auto type = now.selected[i] ? QAccessible::SelectionAdd : QAccessible::SelectionRemove;
                QAccessibleEvent selection(cellFor(now.anchors[i]), type);
                QAccessible::updateAccessibility(&selection);
                selectionChanged = true;
            }
        }
        if (textsChanged) {
            QAccessibleTableModelChangeEvent data(grid(), QAccessibleTableModelChangeEvent::DataChanged);
            QAccessible::updateAccessibility(&data);
        }
        if (selectionChanged) {
            QAccessibleEvent within(grid(), QAccessible::SelectionWithin);
            QAccessible::updateAccessibility(&within);
        }
    }
    reported_ = now;
    reportedKnown_ = true;
    shape_ = now;
    shapeKnown_ = true;
    // The focus follows the current cell while the editor over it has the keyboard.
    const TTable& t = *grid();
    const QPoint current(t.SelCol, t.SelRow);
    if (!t.IsVisibleCell(current.x(), current.y()) || !EditorHasFocus(t)) return;
    if (current == focused_) return;
    focused_ = current;
    QAccessibleEvent focus(cellFor(current), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    TableAccessible* t = AccessibleOf(table_);
    return t && isValid() ? t->headerCells(col_, row_, true) : QList<QAccessibleInterface*>();
}

QList<QAccessibleInterface*> CellAccessible::rowHeaderCells() const
{
    TableAccessible* t = AccessibleOf(table_);
    return t && isValid() ? t->headerCells(col_, row_, false) : QList<QAccessibleInterface*>();
}

TableAccessible* AccessibleOf(const TTable* table)
{
    if (!table) return nullptr;
    return dynamic_cast<TableAccessible*>(QAccessible::queryAccessibleInterface(const_cast<TTable*>(table)));
}

QAccessibleInterface* TableFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TTable") && object && object->isWidgetType())
        return new TableAccessible(static_cast<TTable*>(object));
    return nullptr;
}

}  // namespace

namespace table_access {

void Install()
{
    static const bool installed = (QAccessible::installFactory(&TableFactory), true);
    (void)installed;
}

void Refresh(const TTable& table)
{
    if (!QAccessible::isActive() || table.Updating()) return;
    if (TableAccessible* accessible = AccessibleOf(&table)) accessible->refresh();
}

}  // namespace table_access
