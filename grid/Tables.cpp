#include "grid/Tables.h"

#include "core/TableEdit.h"
#include "grid/TableAccessible.h"
#include "grid/TableLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>

#include <cmath>

namespace {

// Cells keep CR LF; the editor keeps paragraphs. These two convert at the boundary.
QString EditorToCellText(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text;
}

QString CellToEditorText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// The plain-text clipboard of this desktop ends lines with LF.
QString ClipboardText(const QString& cellText)
{
    QString text = cellText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

}  // namespace

// ---- CellEditor -------------------------------------------------------------------------------

CellEditor::CellEditor(TTable* table) : QTextEdit(table), table_(table)
{
    setAcceptRichText(false);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTabChangesFocus(false);
    // The table keeps the history; the editor's own undo would bypass it.
    setUndoRedoEnabled(false);
    document()->setDocumentMargin(0);
    hide();
}

QString CellEditor::SelectionForLink() const
{
    return EditorToCellText(textCursor().selectedText());
}

QString CellEditor::cellText() const
{
    return EditorToCellText(document()->toRawText());
}

void CellEditor::setCellText(const QString& text)
{
    setPlainText(CellToEditorText(text));
}

int CellEditor::lineCount() const
{
    QTextDocument* doc = document();
    doc->documentLayout()->documentSize();  // completes the layout of every block
    int lines = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    return lines;
}

int CellEditor::selectionStart() const
{
    return textCursor().selectionStart();
}

int CellEditor::selectionLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void CellEditor::setSelection(int start, int length)
{
    QTextCursor cursor(document());
    const int end = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void CellEditor::setParagraphAlignment(Qt::Alignment alignment)
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    // New paragraphs typed later inherit the alignment of the one they split.
}

bool CellEditor::event(QEvent* event)
{
    // The main window's shortcuts come first: a key with Ctrl or Alt is offered to them before
    // the editor; it reaches the editor only when no command claims it.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->ignore();
            return true;
        }
    }
    return QTextEdit::event(event);
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    // With several cells selected, Delete and Backspace clear their texts.
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
        event->modifiers() == Qt::NoModifier && table_->SelectedCount() > 1) {
        table_->ClearSelectedCells();
        event->accept();
        return;
    }
    // Select All selects the cell's text; pressed again, every cell, as spreadsheets do.
    if (event->matches(QKeySequence::SelectAll) && selectionLength() == document()->characterCount() - 1 &&
        table_->SelectedCount() < table_->ColCount * table_->RowCount) {
        table_->SelectAllCells();
        event->accept();
        return;
    }
    if (KeyLeavesText(*event) || table_->LeaveCellByKey(event->key(), event->modifiers() & ~Qt::KeypadModifier)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        const Qt::KeyboardModifiers modifiers =
            event->key() == Qt::Key_Backtab ? (event->modifiers() | Qt::ShiftModifier)
                                            : event->modifiers();
        table_->EditorKeyDown(Qt::Key_Tab, modifiers);
        // A tab never goes into the text.
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

bool CellEditor::KeyLeavesText(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event.key();
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        table_->OpenContextMenuAtCaret();
        return true;
    }
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && modifiers == Qt::ShiftModifier) return table_->ExtendSelectionByKey(key);
    if ((key == Qt::Key_Home || key == Qt::Key_End) && modifiers == Qt::NoModifier)
        return table_->MoveToRowEndByKey(key);
    return false;
}

bool CellEditor::caretCanMove(QTextCursor::MoveOperation direction) const
{
    QTextCursor probe = textCursor();
    return probe.movePosition(direction, QTextCursor::KeepAnchor);
}

void CellEditor::contextMenuEvent(QContextMenuEvent* event)
{
    // The Menu key may come as a context menu request of its own rather than as a key.
    if (event->reason() == QContextMenuEvent::Keyboard && table_->PopupMenu()) {
        table_->OpenContextMenuAtCaret();
        return;
    }
    if (QMenu* menu = table_->PopupMenu()) {
        menu->popup(event->globalPos());
        return;
    }
    QTextEdit::contextMenuEvent(event);
}

void CellEditor::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText()) insertPlainText(source->text());
}

// ---- TTable: creation ----------------------------------------------------------------------

TTable::TTable(QWidget* parent) : QWidget(parent)
{
    table_access::Install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the cursor changes over a column's edge
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::NoFocus);
    resize(320, 120);
    setContentsMargins(1, 1, 1, 1);
    edit_ = new CellEditor(this);
    connect(edit_, &QTextEdit::textChanged, this, [this] { EditorChange(); });
    // A drag that begins in the editor's cell and leaves it selects cells, as one from any
    // other cell does; the editor has the mouse until the button is let go.
    edit_->viewport()->installEventFilter(this);
    UpdateWidth();
}

TTable::~TTable() = default;

QPoint TTable::clientOrigin() const
{
    const int frame = layout::FrameWidth(TableBorderWidth());
    return QPoint(frame, captionHeight_ + frame);
}

void TTable::TableBorderChanged()
{
    const int w = layout::FrameWidth(TableBorderWidth());
    setContentsMargins(w, captionHeight_ + w, w, w);
    UpdateLayout();
    update();
}

// The caption sits above the frame, as a page draws it above the table.
void TTable::UpdateCaptionBand()
{
    const int height = layout::CaptionHeight(*this, logicalWidth());
    if (height == captionHeight_) return;
    captionHeight_ = height;
    const int w = layout::FrameWidth(TableBorderWidth());
    setContentsMargins(w, captionHeight_ + w, w, w);
    update();
}

// ---- Layout ----------------------------------------------------------------------------------

void TTable::UpdateWidth()
{
    QWidget* parent = parentWidget();
    if (!parent) return;
    const double p = std::max(1, parent->contentsRect().width()) / zoom_;  // in logical pixels
    double w = p;
    if (TableWidth.Units == TSizeSpec::Percent)
        w = std::nearbyint(double(TableWidth.Value) * p / 100.0);  // halves to even
    else if (TableWidth.Units == TSizeSpec::Pixels)
        w = TableWidth.Value;
    else if (const int columns = layout::ColumnsWidth(*this); columns > 0)
        w = columns + 2 * layout::FrameWidth(TableBorderWidth());  // a page draws it no wider
    // A document may ask for any width; on screen the table is held to what a window system
    // can show (its own limits are 16-bit), however wide the page makes it.
    w = std::clamp(std::round(w * zoom_), 0.0, double(layout::kMaxScreenWidth));
    if (int(w) == width()) return;
    resize(int(w), height());
    if (!isVisible()) UpdateLayout();  // a hidden control gets its resize event only when shown
}

bool TTable::editorLinesChanged() const
{
    return !edit_->isHidden() && isEnabled() && InTable(SelCol, SelRow) &&
           edit_->lineCount() != measuredEditorLines_;
}

int TTable::CellHeight(int col, int row) const
{
    if (!IsVisibleCell(col, row)) return layout::kCoveredCellHeight;
    const int g = layout::ScreenSpacing(CellsTextMargin);
    const int b = layout::ScreenSpacing(CellsBorderWidth);
    const TCell& cell = Cell(col, row);
    const int measured = layout::MeasuredCellHeight(cell, g, b);
    if (col != SelCol || row != SelRow || edit_->isHidden() || !isEnabled()) return measured;
    // The current cell keeps the height its text needs, so that nothing under the mouse
    // moves when a cell becomes current. It grows only when the editor holds more lines than
    // the grid's own wrapping gives the text (the editor breaks a line a little earlier);
    // until then the editor scrolls within the cell.
    const int lines = edit_->lineCount();
    measuredEditorLines_ = lines;
    const int spacing = std::max(1, layout::LineSpacing(cell));
    const int textLines = (measured - 2 * (g + b)) / spacing;
    const int height = measured + std::max(0, lines - textLines) * spacing;
    measuredCurrentHeight_ = height;
    return height;
}

int TTable::RowHeight(int row) const
{
    return layout::RowHeight(*this, row, [this](int c, int r) { return CellHeight(c, r); });
}

void TTable::UpdateLayout()
{
    if (Updating() || inLayout_) return;
    if (ColCount < 1 || RowCount < 1) {
        update();
        table_access::Refresh(*this);
        return;
    }
    inLayout_ = true;
    UpdateCaptionBand();
    // After typing only the current cell's text changed, and the editor shows it: what needs
    // painting again is what moved. Any other change may have touched any cell.
    const bool onlyMoves = typingLayout_;
    std::vector<TRect> before;
    if (onlyMoves) before = cellRects();

    const int frame = layout::FrameWidth(TableBorderWidth());
    const int clientWidth = logicalWidth() - 2 * frame;
    auto cellHeight = [this](int c, int r) { return CellHeight(c, r); };
    // After typing at an unchanged width only the current row can need another height.
    const bool sameWidth = clientWidth == rowHeightsWidth_;
    const int onlyRow = onlyMoves && sameWidth ? SelRow : -1;
    int clientHeight = layout::ComputeLayout(*this, clientWidth, cellHeight, &rowHeights_, onlyRow);
    rowHeightsWidth_ = clientWidth;
    PositionEditor();
    // The current cell is as tall as the editor's lines, counted at the editor's width; when
    // the layout gave the editor another width, its lines are counted again.
    for (int pass = 0; pass < 2 && editorLinesChanged(); ++pass) {
        clientHeight = layout::ComputeLayout(*this, clientWidth, cellHeight, &rowHeights_, onlyRow);
        PositionEditor();
    }
    if (onlyMoves) update(movedRegion(before));
    else update();
    const int total = int(std::lround((captionHeight_ + clientHeight + 2 * frame) * zoom_));
    if (height() != total) resize(width(), total);
    inLayout_ = false;
    table_access::Refresh(*this);
}

std::vector<TRect> TTable::cellRects() const
{
    std::vector<TRect> rects;
    rects.reserve(std::size_t(ColCount) * std::size_t(RowCount));
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) rects.push_back(Cell(c, r).Rect);
    return rects;
}

QRegion TTable::movedRegion(const std::vector<TRect>& before) const
{
    // Rows below a change all move together; the first moved cell's top is where the changed
    // part of each column begins, so one band per column covers it.
    QRegion region;
    std::size_t i = 0;
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r, ++i) {
            const TRect& now = Cell(c, r).Rect;
            if (i < before.size() && now == before[i]) continue;
            const TRect& was = i < before.size() ? before[i] : now;
            const int top = std::min(now.Top, was.Top);
            region += toPhysical(QRect(now.Left, top, now.Right - now.Left, height()).translated(clientOrigin()));
            break;  // the rest of the column lies inside that band
        }
    return region;
}

void TTable::PositionEditor()
{
    if (SelCol < 0 || SelRow < 0) return;
    if (!IsVisibleCell(SelCol, SelRow)) {
        edit_->hide();
        return;
    }
    if (edit_->isHidden()) return;
    const QRect bounds = toPhysical(editorBounds(Cell(SelCol, SelRow).Rect));
    edit_->setGeometry(bounds);
    edit_->document()->setTextWidth(std::max(1, bounds.width()));
}

QRect TTable::editorBounds(const TRect& r) const
{
    const int g = layout::ScreenSpacing(CellsTextMargin);
    return QRect(r.Left + g, r.Top + g, r.Right - r.Left - 2 * g, r.Bottom - r.Top - 2 * g)
        .translated(clientOrigin());
}

QRect TTable::CurrentCellRect() const
{
    if (!IsVisibleCell(SelCol, SelRow)) return QRect();
    return ControlRect(Cell(SelCol, SelRow).Rect);
}

QRect TTable::ControlRect(const TRect& r) const
{
    return toPhysical(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top).translated(clientOrigin()));
}

// ---- Zoom ------------------------------------------------------------------------------------

void TTable::setZoom(int percent)
{
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == zoomPercent_) return;
    zoomPercent_ = percent;
    zoom_ = percent / 100.0;
    buffer_ = QImage();
    if (IsVisibleCell(SelCol, SelRow)) {
        const QFont font = editorFont(Cell(SelCol, SelRow));
        edit_->setFont(font);
        edit_->document()->setDefaultFont(font);
    }
    rowHeightsWidth_ = -1;  // every row is measured again
    UpdateWidth();
    UpdateLayout();
    update();
}

int TTable::logicalWidth() const
{
    return int(std::lround(width() / zoom_));
}

QPoint TTable::toLogical(QPointF p) const
{
    return QPoint(int(std::floor(p.x() / zoom_)), int(std::floor(p.y() / zoom_)));
}

QRect TTable::toPhysical(const QRect& r) const
{
    if (zoomPercent_ == 100) return r;
    const int left = int(std::lround(r.left() * zoom_)), top = int(std::lround(r.top() * zoom_));
    const int right = int(std::lround((r.left() + r.width()) * zoom_));
    const int bottom = int(std::lround((r.top() + r.height()) * zoom_));
    return QRect(left, top, right - left, bottom - top);
}

QFont TTable::editorFont(const TCell& cell) const
{
    QFont font = layout::CellFont(cell);
    if (zoomPercent_ != 100) font.setPointSizeF(font.pointSizeF() * zoom_);
    return font;
}

void TTable::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) UpdateLayout();
}

// ---- Painting --------------------------------------------------------------------------------

void TTable::paintClient(QPainter& painter, const QRect& exposed)
{
    painter.fillRect(exposed, layout::ToQColor(CellsBorderColor));
    if (Updating()) return;
    layout::PaintCells(painter, *this, exposed, isEnabled(), edit_->isHidden());
}

void TTable::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.scale(zoom_, zoom_);
    // Everything below is in logical pixels; the painter zooms it.
    const QRect eventRect = QRectF(QRectF(event->rect()).topLeft() / zoom_, QRectF(event->rect()).size() / zoom_)
                                .toAlignedRect();
    const int frame = layout::FrameWidth(TableBorderWidth());
    const QRect whole(0, 0, logicalWidth(), int(std::lround(height() / zoom_)));
    const QRect client = whole.adjusted(frame, captionHeight_ + frame, -frame, -frame);
    const QColor frameColor = layout::ToQColor(TableBorderColor());
    const QRect band(0, 0, whole.width(), captionHeight_);
    const QRect framed = whole.adjusted(0, captionHeight_, 0, 0);
    if (!band.isEmpty() && eventRect.intersects(band)) {
        painter.fillRect(band, palette().color(QPalette::Window));
        layout::PaintCaption(painter, *this, band, palette().color(QPalette::WindowText));
    }
    for (const QRect& r : QRegion(framed).subtracted(QRegion(client)))
        if (eventRect.intersects(r)) painter.fillRect(r, frameColor);

    // Only the exposed part is painted: a big table is far larger than the window shows. The
    // buffer holds device pixels, so that zoomed and high-density screens stay sharp.
    const QRect exposed = eventRect.intersected(client).translated(-clientOrigin());
    if (exposed.isEmpty()) return;
    const qreal ratio = devicePixelRatioF() * zoom_;
    const QSize needed = (QSizeF(exposed.size()) * ratio).toSize();
    if (buffer_.width() < needed.width() || buffer_.height() < needed.height() ||
        buffer_.devicePixelRatio() != ratio) {
        buffer_ = QImage(needed.expandedTo(buffer_.size()), QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter bufferPainter(&buffer_);
        bufferPainter.translate(-exposed.topLeft());
        bufferPainter.setClipRect(exposed);
        paintClient(bufferPainter, exposed);
    }
    painter.drawImage(QRectF(exposed.translated(clientOrigin())), buffer_,
                      QRectF(QPointF(0, 0), QSizeF(needed)));
}

void TTable::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

// ---- Mouse -----------------------------------------------------------------------------------

QPoint TTable::CellAtPoint(QPoint p) const
{
    for (int c = 0; c < ColCount; ++c)
        for (int r = 0; r < RowCount; ++r) {
            const TCell& cell = Cell(c, r);
            if (!cell.Visible || (c == SelCol && r == SelRow)) continue;
            const TRect& rect = cell.Rect;
            if (p.x() >= rect.Left && p.x() <= rect.Right && p.y() >= rect.Top &&
                p.y() <= rect.Bottom)
                return QPoint(c, r);
        }
    return QPoint(-1, -1);
}

void TTable::mousePressEvent(QMouseEvent* event)
{
    const QPoint client = toLogical(event->position()) - clientOrigin();
    const int edge = event->button() == Qt::LeftButton ? ColumnEdgeAt(client) : -1;
    if (edge >= 0) {
        // A drag of the column's right edge: Shift keeps the table's width, the column to the
        // right giving up what this one takes.
        const std::vector<layout::ColumnSpan> spans = layout::ColumnSpans(*this, logicalWidth() - 2 * layout::FrameWidth(TableBorderWidth()));
        columnDrag_ = {};
        columnDrag_.col = edge;
        columnDrag_.startX = client.x();
        columnDrag_.startBox = spans[std::size_t(edge)].right - spans[std::size_t(edge)].left;
        columnDrag_.before = ColWidths[std::size_t(edge)];
        columnDrag_.keepTotal = (event->modifiers() & Qt::ShiftModifier) && edge + 1 < ColCount;
        if (columnDrag_.keepTotal) {
            columnDrag_.nextBox = spans[std::size_t(edge) + 1].right - spans[std::size_t(edge) + 1].left;
            columnDrag_.nextBefore = ColWidths[std::size_t(edge) + 1];
        }
        return;
    }
    TableMouseDown(client, event->buttons(), event->modifiers());
}

int TTable::ColumnEdgeAt(QPoint p) const
{
    if (ColCount < 1 || RowCount < 1 || p.y() < 0) return -1;
    const int b = std::max(0, layout::ScreenSpacing(CellsBorderWidth));
    constexpr int kGrip = 3;  // pixels either side of the line that take the drag
    // The row under the point: every cell of a row begins at the row's top.
    int row = -1;
    for (int r = 0; r < RowCount && Cell(0, r).Rect.Top - b <= p.y(); ++r) row = r;
    if (row < 0) return -1;
    const std::vector<layout::ColumnSpan> spans = layout::ColumnSpans(*this, logicalWidth() - 2 * layout::FrameWidth(TableBorderWidth()));
    for (int c = 0; c < ColCount; ++c) {
        const int right = spans[std::size_t(c)].right;
        if (p.x() < right - kGrip || p.x() > right + b + kGrip) continue;
        // A merged cell that goes on across the edge in this row hides it.
        for (int ac = c; ac >= 0; --ac)
            for (int ar = row; ar >= 0; --ar) {
                const TCell& anchor = Cell(ac, ar);
                if (anchor.Visible && AreaLastCol(ac, ar) >= c && AreaLastRow(ac, ar) >= row)
                    return AreaLastCol(ac, ar) == c ? c : -1;
            }
        return c;
    }
    return -1;
}

void TTable::ColumnDragTo(int x)
{
    const ColumnDrag& d = columnDrag_;
    int box = std::max(layout::kMinColumnWidth, d.startBox + x - d.startX);
    if (d.keepTotal) box = std::min(box, d.startBox + d.nextBox - layout::kMinColumnWidth);
    ColWidths[std::size_t(d.col)] = {layout::PixelWidthOfBox(*this, box), TSizeSpec::Pixels};
    if (d.keepTotal)
        ColWidths[std::size_t(d.col) + 1] = {layout::PixelWidthOfBox(*this, d.startBox + d.nextBox - box), TSizeSpec::Pixels};
    UpdateWidth();
    UpdateLayout();
}

void TTable::EndColumnDrag()
{
    ColumnDrag d = columnDrag_;
    columnDrag_ = {};
    const TSizeSpec chosen = ColWidths[std::size_t(d.col)];
    const TSizeSpec next = d.keepTotal ? ColWidths[std::size_t(d.col) + 1] : TSizeSpec{};
    ColWidths[std::size_t(d.col)] = d.before;
    if (d.keepTotal) ColWidths[std::size_t(d.col) + 1] = d.nextBefore;
    if (chosen == d.before && (!d.keepTotal || next == d.nextBefore)) return;  // a click, no drag
    TableEdit edit(*this);
    SetColWidth(d.col, chosen);
    if (d.keepTotal) SetColWidth(d.col + 1, next);
    UpdateWidth();
}

void TTable::leaveEvent(QEvent* event)
{
    if (columnDrag_.col < 0) unsetCursor();
    QWidget::leaveEvent(event);
}

void TTable::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint client = toLogical(event->position()) - clientOrigin();
    if (columnDrag_.col >= 0) {
        ColumnDragTo(client.x());
        return;
    }
    // Over a column's edge the cursor says it can be dragged.
    if (!(event->buttons() & Qt::LeftButton)) {
        if (ColumnEdgeAt(client) >= 0) setCursor(Qt::SplitHCursor);
        else unsetCursor();
    }
    if (dragAnchor_ < 0 || !(event->buttons() & Qt::LeftButton) || edit_->isHidden()) return;
    // A drag that leaves the cell it began in selects the rectangle of cells it covers; inside
    // that cell it selects text.
    const QPoint hit = CellUnder(client);
    if (hit.x() >= 0 && (rangeDrag_ || hit != dragCell_)) {
        rangeDrag_ = true;
        if (hit == dragCell_) ResetSelection(), UpdateLayout();
        else SelectRangeTo(hit.x(), hit.y());
        return;
    }
    const int position = editorPositionAt(client);
    edit_->setSelection(dragAnchor_, position - dragAnchor_);
}

QPoint TTable::CellUnder(QPoint p) const
{
    if (IsVisibleCell(SelCol, SelRow)) {
        const TRect& rect = Cell(SelCol, SelRow).Rect;
        if (p.x() >= rect.Left && p.x() <= rect.Right && p.y() >= rect.Top && p.y() <= rect.Bottom)
            return QPoint(SelCol, SelRow);
    }
    return CellAtPoint(p);
}

void TTable::ClearSelectedCells()
{
    TableEdit edit(*this);
    if (!ClearSelectedTexts()) edit.discard();
}

void TTable::mouseReleaseEvent(QMouseEvent* event)
{
    if (columnDrag_.col >= 0) EndColumnDrag();
    dragAnchor_ = -1;
    dragCell_ = QPoint(-1, -1);
    rangeDrag_ = false;
    QWidget::mouseReleaseEvent(event);
}

int TTable::editorPositionAt(QPoint clientPoint) const
{
    const QRect zoomed = toPhysical(QRect(clientPoint + clientOrigin(), QSize(1, 1)));
    const QPoint inEditor = edit_->viewport()->mapFrom(this, zoomed.topLeft());
    return edit_->cursorForPosition(inEditor).position();
}

void TTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click on a column's edge makes the column automatic again, one on the caption
    // edits it; elsewhere the second press of a double click does nothing.
    event->accept();
    const QPoint point = toLogical(event->position());
    if (event->button() != Qt::LeftButton) return;
    if (point.y() < captionHeight_) {
        EditCaption();
        return;
    }
    const int edge = ColumnEdgeAt(point - clientOrigin());
    if (edge >= 0 && ColWidths[std::size_t(edge)].Units != TSizeSpec::Default) {
        TableEdit edit(*this);
        SetColWidth(edge, TSizeSpec{});
        UpdateWidth();
    }
}

void TTable::EditCaption()
{
    if (!captionEdit_) {
        captionEdit_ = new QLineEdit(this);
        captionEdit_->setObjectName(QStringLiteral("CaptionEdit"));
        captionEdit_->setAlignment(Qt::AlignHCenter);
        captionEdit_->installEventFilter(this);
        connect(captionEdit_, &QLineEdit::editingFinished, this, [this] { CommitCaption(); });
    }
    // The line holds one line: the caption's line breaks show as <br>, which means the same.
    QString text = Caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    captionEdit_->setText(text);
    captionEdit_->setAccessibleName(captionEdit_->toolTip());
    const int height = std::max(int(std::lround(captionHeight_ * zoom_)), captionEdit_->sizeHint().height());
    captionEdit_->setGeometry(0, 0, width(), height);
    captionEdit_->show();
    captionEdit_->raise();
    captionEdit_->selectAll();
    captionEdit_->setFocus(Qt::OtherFocusReason);
}

bool TTable::CaptionEditorOpen() const
{
    return captionEdit_ && captionEdit_->isVisible();
}

void TTable::CommitCaption()
{
    if (!CaptionEditorOpen()) return;
    const QString text = captionEdit_->text();
    captionEdit_->hide();
    if (text != QString(Caption).replace(QLatin1String("\r\n"), QLatin1String("<br>"))) {
        TableEdit edit(*this);
        SetCaption(text);
    }
    FocusEditor();
}

bool TTable::EditorDragTo(const QMouseEvent& event)
{
    if (!(event.buttons() & Qt::LeftButton)) return false;
    const QPoint client = toLogical(edit_->viewport()->mapTo(this, event.position())) - clientOrigin();
    const QPoint other = CellAtPoint(client);  // a cell other than the editor's
    if (!rangeDrag_ && other.x() < 0) return false;
    rangeDrag_ = true;
    if (other.x() >= 0) {
        SelectRangeTo(other.x(), other.y());
    } else if (SelectedCount() > 1) {
        ResetSelection();
        UpdateLayout();
    }
    return true;
}

bool TTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_->viewport()) {
        if (event->type() == QEvent::MouseMove) return EditorDragTo(*static_cast<QMouseEvent*>(event));
        if (event->type() == QEvent::MouseButtonRelease) rangeDrag_ = false;
        return QWidget::eventFilter(watched, event);
    }
    if (watched == captionEdit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        captionEdit_->hide();  // the caption as it was
        FocusEditor();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TTable::TableMouseDown(QPoint clientPoint, Qt::MouseButtons buttons,
                            Qt::KeyboardModifiers modifiers)
{
    const QPoint hit = CellAtPoint(clientPoint);
    if (hit.x() < 0) return;
    const int col = hit.x(), row = hit.y();
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (buttons == Qt::LeftButton && modifiers == Qt::NoModifier) {
        SelectCell(col, row);
        ResetSelection();
        // The caret goes where the click was, and a drag from there selects text.
        if (!edit_->isHidden() && SelCol == col && SelRow == row) {
            dragAnchor_ = editorPositionAt(clientPoint);
            dragCell_ = QPoint(col, row);
            edit_->setSelection(dragAnchor_, 0);
        }
    } else if (buttons == Qt::LeftButton && modifiers == Qt::ControlModifier) {
        ToggleCellSelection(col, row);
    } else if (buttons == Qt::LeftButton && modifiers == Qt::ShiftModifier) {
        SelectRangeTo(col, row);
        rangeEnd_ = QPoint(col, row);
    } else if (buttons == Qt::RightButton && modifiers == Qt::NoModifier && popupMenu_) {
        popupMenu_->popup(mapToGlobal(toPhysical(QRect(clientPoint + clientOrigin(), QSize(1, 1))).topLeft()));
    }
}

// ---- In-place editor -------------------------------------------------------------------------

void TTable::LoadEditor(int col, int row, bool samePosition)
{
    const QTextCursor old = edit_->textCursor();
    const int anchor = old.anchor(), position = old.position();
    const TCell& cell = Cell(col, row);

    QSignalBlocker detach(edit_);  // loading a cell is not typing
    edit_->clear();
    const QRect bounds = toPhysical(editorBounds(cell.Rect));
    edit_->setGeometry(bounds);
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, layout::ToQColor(cell.BgColor));
    palette.setColor(QPalette::Text, layout::ToQColor(cell.FontColor));
    edit_->setPalette(palette);
    const QFont font = editorFont(cell);
    edit_->setFont(font);
    edit_->document()->setDefaultFont(font);
    edit_->setCellText(cell.Text);
    edit_->setParagraphAlignment(static_cast<Qt::Alignment>(layout::HorizontalFlags(cell.HAlign)));
    edit_->document()->setTextWidth(std::max(1, bounds.width()));
    if (samePosition) edit_->setSelection(anchor, position - anchor);
    else rangeEnd_ = QPoint(col, row);
    edit_->setAccessibleName(CellPositionText(col, row));
}

void TTable::SelectionChanged() const
{
    table_access::Refresh(*this);
}

void TTable::setPositionWords(const QString& cell, const QString& merged)
{
    positionWords_ = cell;
    mergedWords_ = merged;
    if (IsVisibleCell(SelCol, SelRow)) edit_->setAccessibleName(CellPositionText(SelCol, SelRow));
}

QString TTable::CellPositionText(int col, int row) const
{
    if (!IsVisibleCell(col, row)) return QString();
    const int cols = AreaLastCol(col, row) - col + 1, rows = AreaLastRow(col, row) - row + 1;
    if (cols == 1 && rows == 1) return positionWords_.arg(row + 1).arg(col + 1);
    return mergedWords_.arg(row + 1).arg(col + 1).arg(cols).arg(rows);
}

void TTable::ShowEditor(bool visible)
{
    edit_->setVisible(visible);
}

bool TTable::FocusEditor()
{
    if (!isEnabled() || !isVisible()) return false;
    edit_->setFocus(Qt::OtherFocusReason);
    return true;
}

void TTable::EditorKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Tab || !InTable(SelCol, SelRow)) return;
    MoveByTab(modifiers & Qt::ShiftModifier);
}

bool TTable::ExtendSelectionByKey(int key)
{
    if (!IsVisibleCell(SelCol, SelRow) || edit_->isHidden()) return false;
    if (SelectedCount() <= 1) rangeEnd_ = QPoint(SelCol, SelRow);
    const QTextCursor::MoveOperation caretWay = key == Qt::Key_Left    ? QTextCursor::Left
                                                : key == Qt::Key_Right ? QTextCursor::Right
                                                : key == Qt::Key_Up    ? QTextCursor::Up
                                                                       : QTextCursor::Down;
    if (SelectedCount() <= 1 && edit_->caretCanMove(caretWay)) return false;
    // The next cell beyond the far corner's cell, that way; at the table's edge, none.
    QPoint end = CellCovering(rangeEnd_.x(), rangeEnd_.y());
    if (end.x() < 0) end = QPoint(SelCol, SelRow);
    QPoint next = end;
    if (key == Qt::Key_Left) next.rx() = end.x() - 1;
    else if (key == Qt::Key_Right) next.rx() = AreaLastCol(end.x(), end.y()) + 1;
    else if (key == Qt::Key_Up) next.ry() = end.y() - 1;
    else next.ry() = AreaLastRow(end.x(), end.y()) + 1;
    const QPoint owner = CellCovering(next.x(), next.y());
    if (owner.x() < 0) return true;  // the edge: nothing more to take, and the caret stays
    rangeEnd_ = owner;
    if (owner == QPoint(SelCol, SelRow)) {
        ResetSelection();
        UpdateLayout();
    } else {
        SelectRangeTo(owner.x(), owner.y());
    }
    return true;
}

bool TTable::MoveToRowEndByKey(int key)
{
    if (!IsVisibleCell(SelCol, SelRow) || edit_->isHidden()) return false;
    const bool toEnd = key == Qt::Key_End;
    if (edit_->caretCanMove(toEnd ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter) ||
        edit_->textCursor().hasSelection())
        return false;
    const QPoint target = CellCovering(toEnd ? ColCount - 1 : 0, SelRow);
    if (target.x() < 0 || target == QPoint(SelCol, SelRow)) return true;
    SelectCell(target.x(), target.y());
    ResetSelection();
    if (toEnd) edit_->moveCursor(QTextCursor::End);
    return true;
}

void TTable::OpenContextMenuAtCaret()
{
    if (!popupMenu_) return;
    const QRect caret = edit_->cursorRect();
    popupMenu_->popup(edit_->viewport()->mapToGlobal(caret.bottomLeft()));
    for (QAction* action : popupMenu_->actions())
        if (action->isEnabled() && !action->isSeparator() && action->isVisible()) {
            popupMenu_->setActiveAction(action);
            break;
        }
}

void TTable::EditorChange()
{
    if (edit_->isHidden() || !InTable(SelCol, SelRow)) return;
    Cell(SelCol, SelRow).Text = edit_->cellText();
    const int lines = edit_->lineCount();
    // The row follows the text's height. Compared with the height the last layout used, not
    // only with the line count at the last typing: after moving to another cell the two
    // differ, and a new line there must still grow the row.
    const int heightBefore = measuredCurrentHeight_;
    if (lines != LastLineCount || CellHeight(SelCol, SelRow) != heightBefore) {
        typingLayout_ = true;
        UpdateLayout();
        typingLayout_ = false;
        LastLineCount = lines;
    }
    KeepCaretInView();
    if (!FillingEditor) AddUndoStep(TUndoStep::Typing);
    table_access::Refresh(*this);
}

// While the text fits the cell its first line stays at the top; a text the editor breaks into
// more lines than the cell shows scrolls with the caret.
void TTable::KeepCaretInView()
{
    QScrollBar* bar = edit_->verticalScrollBar();
    if (edit_->document()->size().height() <= edit_->viewport()->height()) bar->setValue(0);
    else edit_->ensureCursorVisible();
}

// Arrow keys at the edge of the text move to the neighbouring cell, as in a word processor's
// table: Left at the start, Right at the end, Up on the first line, Down on the last. Ctrl+Home
// and Ctrl+End, once the caret is at that end of the text, go to the table's first and last
// cell. The caret enters the new cell on the side it came from.
bool TTable::LeaveCellByKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (edit_->isHidden() || !IsVisibleCell(SelCol, SelRow)) return false;
    const QTextCursor cursor = edit_->textCursor();
    if (cursor.hasSelection()) return false;
    const bool atStart = cursor.atStart(), atEnd = cursor.atEnd();
    int colStep = 0, rowStep = 0;
    bool caretAtEnd = false;
    if (modifiers == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Left: colStep = atStart ? -1 : 0, caretAtEnd = true; break;
        case Qt::Key_Right: colStep = atEnd ? 1 : 0; break;
        case Qt::Key_Up: rowStep = edit_->caretCanMove(QTextCursor::Up) ? 0 : -1, caretAtEnd = true; break;
        case Qt::Key_Down: rowStep = edit_->caretCanMove(QTextCursor::Down) ? 0 : 1; break;
        default: return false;
        }
        if ((colStep == 0 && rowStep == 0) || !MoveToNeighbour(colStep, rowStep)) return false;
    } else if (modifiers == Qt::ControlModifier && (key == Qt::Key_Home || key == Qt::Key_End)) {
        const bool home = key == Qt::Key_Home;
        if (home ? !atStart : !atEnd) return false;
        const QPoint target = home ? QPoint(0, 0) : CellCovering(ColCount - 1, RowCount - 1);
        if (target.x() < 0 || target == QPoint(SelCol, SelRow)) return false;
        SelectCell(target.x(), target.y());
        ResetSelection();
        caretAtEnd = !home;
    } else {
        return false;
    }
    edit_->moveCursor(caretAtEnd ? QTextCursor::End : QTextCursor::Start);
    return true;
}

// ---- Clipboard and links ---------------------------------------------------------------------

bool TTable::HasSelection() const
{
    return edit_->textCursor().hasSelection();
}

bool TTable::CanPaste() const
{
    return edit_->canPaste();
}

void TTable::CopyToClipboard()
{
    if (!HasSelection()) return;
    QGuiApplication::clipboard()->setText(ClipboardText(edit_->SelectionForLink()));
}

void TTable::CutToClipboard()
{
    if (!HasSelection()) return;
    CopyToClipboard();
    edit_->textCursor().removeSelectedText();
}

void TTable::PasteFromClipboard()
{
    if (!CanPaste()) return;
    EditorChange();
    edit_->insertPlainText(QGuiApplication::clipboard()->text());
    EditorChange();
}

void TTable::InsertLink(const QString& text, const QString& url, bool newWindow)
{
    if (edit_->isHidden()) return;
    edit_->insertPlainText(LinkMarkup(text, url, newWindow, TagsLowerCase));
}
