#pragma once
// The table control: shows the table as a grid that fills its width, lets the user pick cells
// with the mouse and Tab, and edits the current cell through an in-place editor laid over it.
// The data and every window-free operation come from TableCore.

#include "core/TableCore.h"

#include <QImage>
#include <QRegion>
#include <QTextEdit>
#include <QWidget>

#include <vector>

class QLineEdit;
class QMenu;
class TTable;

// The in-place cell editor: plain text, no frame, no scroll bars; Tab goes to the table.
class CellEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit CellEditor(TTable* table);

    // The selected text, with paragraph breaks as CR LF; empty when nothing is selected.
    QString SelectionForLink() const;
    // The whole text with CR LF line breaks, as cells keep it.
    QString cellText() const;
    void setCellText(const QString& text);
    // Visual lines of the wrapped text.
    int lineCount() const;
    int selectionStart() const;
    int selectionLength() const;
    void setSelection(int start, int length);
    void setParagraphAlignment(Qt::Alignment alignment);
    // Whether the caret could go one step that way inside the text.
    bool caretCanMove(QTextCursor::MoveOperation direction) const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    TTable* table_;
    // Keys that act on the cells rather than the text; true when one was used.
    bool KeyLeavesText(const QKeyEvent& event);
};

class TTable : public QWidget, public TableCore {
    Q_OBJECT
public:
    explicit TTable(QWidget* parent = nullptr);
    ~TTable() override;

    CellEditor* Edit() const { return edit_; }
    void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }

    void UpdateLayout() override;
    void UpdateWidth() override;
    int CellHeight(int col, int row) const;
    int RowHeight(int row) const;
    void PositionEditor();
    // (col, row) of the visible cell under a client point, or (-1, -1).
    QPoint CellAtPoint(QPoint clientPoint) const;
    // The client area's offset inside the control: the frame width.
    QPoint clientOrigin() const;
    // The current cell in the control's own coordinates; empty when there is none.
    QRect CurrentCellRect() const;
    // A cell rectangle of the layout in the control's own coordinates, zoom applied.
    QRect ControlRect(const TRect& cell) const;

    // The grid drawn larger or smaller: fonts, lines and cells scale, the document does not.
    // The layout works in unzoomed pixels ("logical"), the control shows them zoomed.
    static constexpr int kMinZoom = 50, kMaxZoom = 400;
    void setZoom(int percent);
    int Zoom() const { return zoomPercent_; }

    // The caption band above the table: its height now, and the in-place line that edits it
    // (a double click on the caption opens it; Enter or leaving it keeps the text as one undo
    // step, Escape drops it).
    int CaptionBandHeight() const { return captionHeight_; }
    void EditCaption();
    bool CaptionEditorOpen() const;
    // The column whose right edge lies under a client point (the edge and the line beside it,
    // where no merged cell crosses it), or -1.
    int ColumnEdgeAt(QPoint clientPoint) const;

    // Editor events.
    void EditorKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool LeaveCellByKey(int key, Qt::KeyboardModifiers modifiers);
    void EditorChange();
    // Shift+Arrow once the caret can go no further that way, or while several cells are
    // selected: the selected rectangle grows or shrinks by a cell, as Shift+click makes it.
    // False when the key belongs to the text.
    bool ExtendSelectionByKey(int key);
    // Home (End) with the caret already at the start (end) of the text: the first (last) cell
    // of the row becomes current. False when the key belongs to the text.
    bool MoveToRowEndByKey(int key);
    // The context menu at the caret, its first entry active: the Menu key and Shift+F10.
    void OpenContextMenuAtCaret();

    // Where a cell is, in words: "row 2, column 2" and, for a merged cell, its size too.
    // The formats take the row and column (1-based) and then the columns and rows spanned.
    void setPositionWords(const QString& cell, const QString& merged);
    QString CellPositionText(int col, int row) const;

    // The texts of the selected cells, when more than one is selected, as one undo step.
    void ClearSelectedCells();

    bool HasSelection() const;
    bool CanPaste() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void InsertLink(const QString& text, const QString& url, bool newWindow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // A mouse move in the editor with the button down: true when it selects cells.
    bool EditorDragTo(const QMouseEvent& event);
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

    void LoadEditor(int col, int row, bool samePosition) override;
    void SelectionChanged() const override;
    void ShowEditor(bool visible) override;
    bool FocusEditor() override;
    void TableBorderChanged() override;

private:
    CellEditor* edit_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QImage buffer_;
    bool inLayout_ = false;
    bool typingLayout_ = false;
    mutable int measuredEditorLines_ = -1;  // the editor's line count the layout last used
    mutable int measuredCurrentHeight_ = -1;  // the current cell's height the layout last used
    std::vector<int> rowHeights_;  // row heights of the last layout, at rowHeightsWidth_
    int rowHeightsWidth_ = -1;

    int dragAnchor_ = -1;  // where a click put the caret, while its drag selects text
    QPoint dragCell_{-1, -1};  // the cell a drag began in; leaving it selects a rectangle
    bool rangeDrag_ = false;
    QPoint CellUnder(QPoint clientPoint) const;  // any visible cell, the current one too
    int captionHeight_ = 0;
    QLineEdit* captionEdit_ = nullptr;
    int zoomPercent_ = 100;
    double zoom_ = 1.0;
    int logicalWidth() const;
    QPoint toLogical(QPointF controlPoint) const;
    QRect toPhysical(const QRect& logical) const;
    QFont editorFont(const TCell& cell) const;
    QString positionWords_ = QStringLiteral("row %1, column %2");
    QString mergedWords_ = QStringLiteral("row %1, column %2, merged %3 x %4");
    // The far corner of the selected rectangle while Shift+Arrow grows it; the current cell
    // when no rectangle is selected.
    QPoint rangeEnd_{-1, -1};

    // A column edge being dragged: the column, where the drag began, the widths before it,
    // and whether the column to the right gives up what this one takes (Shift).
    struct ColumnDrag {
        int col = -1;
        int startX = 0;
        int startBox = 0, nextBox = 0;
        TSizeSpec before, nextBefore;
        bool keepTotal = false;
    } columnDrag_;
    void ColumnDragTo(int x);
    void EndColumnDrag();
    void CommitCaption();
    void UpdateCaptionBand();

    bool editorLinesChanged() const;
    void KeepCaretInView();
    // The editor's place over a cell rectangle: inside the text margin, in control coordinates.
    QRect editorBounds(const TRect& cell) const;
    // The text position of the editor under a client point of the control.
    int editorPositionAt(QPoint clientPoint) const;  // the layout runs because the current cell's line count changed

    std::vector<TRect> cellRects() const;
    QRegion movedRegion(const std::vector<TRect>& before) const;

    void TableMouseDown(QPoint clientPoint, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers modifiers);
    void paintClient(QPainter& painter, const QRect& exposed);
};
